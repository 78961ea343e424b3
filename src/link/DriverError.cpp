#include "link/DriverError.h"

#include "common/Translate.h"

namespace qxt::link {

ErrorExplanation Explain(DriverError error) {
  switch (error) {
    case DriverError::kNoEcho:
      return {{common::TrNoop("qxt", "Cannot access COM port")}, CheckList::kA};
    case DriverError::kNoAnswer:
      return {{common::TrNoop("qxt", "No answer from transceiver.")}, CheckList::kA};
    case DriverError::kInvalidAnswer:
      return {{common::TrNoop("qxt", "Illegal data.")}, CheckList::kA};
    case DriverError::kCountMismatch:
      return {{common::TrNoop("qxt", "Data counter error.")}, CheckList::kA};
    case DriverError::kImageRefused:
      return {{common::TrNoop("qxt", "Data overflow.")}, CheckList::kA};
    case DriverError::kNeverSet:
    case DriverError::kWriteRefused:
      return {{common::TrNoop("qxt", "Cannot write cloning data.")}, CheckList::kB};
    default:
      return {{common::TrNoop("qxt", "Cannot Clone.")}, CheckList::kAWithGap};
  }
}

}  // namespace qxt::link
