#pragma once
// A multi-line text box as the core sees it.

#include <string>

namespace qxt::common {

class TextBoxView {
 public:
  virtual ~TextBoxView() = default;
  virtual void setText(const std::string& text) = 0;
};

}  // namespace qxt::common
