#include "link/ErrorExplanation.h"

namespace qxt::link {

std::vector<std::string> CheckListLines(CheckList list) {
  const std::string heading = "Check the following:";
  switch (list) {
    case CheckList::kA:
      return {heading, "- The COM port settings.", "- Cloning cable connections.", "- Transceiver power is ON."};
    case CheckList::kAWithGap:
      return {heading, "", "- The COM port settings.", "- Cloning cable connections.", "- Transceiver power is ON."};
    case CheckList::kB:
      return {heading, "- Cloning cable connections.", "- Transceiver power is ON."};
    case CheckList::kC:
      return {heading, "- Appropriate cloning software for the transceiver is being used.",
              "- The revision number of the transceiver."};
    case CheckList::kNone:
      break;
  }
  return {};
}

}  // namespace qxt::link
