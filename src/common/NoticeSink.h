#pragma once
// Where a notice goes that must be seen but must not stop the work (a failed backup, a value
// that could not be put back, a refused command): the window's status bar in the program.

#include <string>

namespace qxt::common {

class NoticeSink {
 public:
  virtual ~NoticeSink() = default;
  virtual void showNotice(const std::string& text) = 0;
};

}  // namespace qxt::common
