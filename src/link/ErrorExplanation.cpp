#include "link/ErrorExplanation.h"

#include "common/Translate.h"

namespace qxt::link {

std::vector<std::string> CheckListLines(CheckList list) {
  const std::string heading = common::TrNoop("qxt", "Check the following:");
  switch (list) {
    case CheckList::kA:
      return {heading, common::TrNoop("qxt", "- The COM port settings."),
              common::TrNoop("qxt", "- Cloning cable connections."),
              common::TrNoop("qxt", "- Transceiver power is ON.")};
    case CheckList::kAWithGap:
      return {heading, "", common::TrNoop("qxt", "- The COM port settings."),
              common::TrNoop("qxt", "- Cloning cable connections."),
              common::TrNoop("qxt", "- Transceiver power is ON.")};
    case CheckList::kB:
      return {heading, common::TrNoop("qxt", "- Cloning cable connections."),
              common::TrNoop("qxt", "- Transceiver power is ON.")};
    case CheckList::kC:
      return {heading, common::TrNoop("qxt", "- Appropriate cloning software for the transceiver is being used."),
              common::TrNoop("qxt", "- The revision number of the transceiver.")};
    case CheckList::kNone:
      break;
  }
  return {};
}

}  // namespace qxt::link
