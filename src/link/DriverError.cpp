#include "link/DriverError.h"

namespace qxt::link {

ErrorExplanation Explain(DriverError error) {
  switch (error) {
    case DriverError::kNoEcho:
      return {{"Cannot access COM port"}, CheckList::kA};
    case DriverError::kNoAnswer:
      return {{"No answer from transceiver."}, CheckList::kA};
    case DriverError::kInvalidAnswer:
      return {{"Illegal data."}, CheckList::kA};
    case DriverError::kCountMismatch:
      return {{"Data counter error."}, CheckList::kA};
    case DriverError::kImageRefused:
      return {{"Data overflow."}, CheckList::kA};
    case DriverError::kNeverSet:
    case DriverError::kWriteRefused:
      return {{"Cannot write cloning data."}, CheckList::kB};
    default:
      return {{"Cannot Clone."}, CheckList::kAWithGap};
  }
}

}  // namespace qxt::link
