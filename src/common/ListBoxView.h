#pragma once
// A list box as the core sees it: numbered lines of text, from 0.

#include <string>

namespace qxt::common {

class ListBoxView {
 public:
  virtual ~ListBoxView() = default;
  virtual void clear() = 0;
  virtual void addLine(const std::string& text) = 0;
  // Replaces an existing line; the selection is not touched.
  virtual void replaceLine(int index, const std::string& text) = 0;
  virtual int count() const = 0;
};

}  // namespace qxt::common
