#pragma once
// What a failure's message says: the line(s) that name it and the list of things to check.

#include <string>
#include <vector>

namespace qxt::link {

enum class CheckList {
  kNone,
  kA,         // COM port settings, cable, power
  kAWithGap,  // the same, with an empty line after its heading
  kB,         // cable, power
  kC,         // the cloning software and the revision
};

struct ErrorExplanation {
  std::vector<std::string> lines;
  CheckList checks = CheckList::kNone;
};

// The heading and bullet lines of a check list; empty for kNone.
std::vector<std::string> CheckListLines(CheckList list);

}  // namespace qxt::link
