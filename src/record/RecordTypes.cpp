#include "record/RecordTypes.h"

namespace qxt::record {

const char* ReasonName(SendReason reason) {
  switch (reason) {
    case SendReason::kKey:
      return "key";
    case SendReason::kProcedure:
      return "procedure";
    case SendReason::kConnect:
      return "connect";
    case SendReason::kMirror:
      return "BAL mirror";
    case SendReason::kRevert:
      return "revert";
    case SendReason::kUndo:
      return "undo";
    case SendReason::kRestore:
      return "restore";
    case SendReason::kPutBack:
      return "put back";
  }
  return "";
}

const char* RestoreOutcomeName(RestoreOutcome outcome) {
  switch (outcome) {
    case RestoreOutcome::kStarted:
      return "started";
    case RestoreOutcome::kVerified:
      return "verified";
    case RestoreOutcome::kDiffers:
      return "not verified";
    case RestoreOutcome::kStopped:
      return "stopped, partly written";
    case RestoreOutcome::kLinkFailed:
      return "failed, partly written";
    case RestoreOutcome::kUnchecked:
      return "written, not checked";
    case RestoreOutcome::kRefused:
      return "refused";
  }
  return "";
}

}  // namespace qxt::record
