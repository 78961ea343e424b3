#pragma once
// The command-line modes that need neither a radio nor a display: --list and --diff.

#include <ostream>
#include <string>

namespace qxt::app {

class OfflineModes {
 public:
  // The 67-line listing of an image file on out; 0, or 2 when the file is not an image.
  static int List(const std::string& file, std::ostream& out, std::ostream& err);
  // The listing lines in which two image files differ: the label and both values. 0 when the
  // listings agree, 1 when they differ, 2 when a file is not an image.
  static int Diff(const std::string& a, const std::string& b, std::ostream& out, std::ostream& err);
};

}  // namespace qxt::app
