#include "link/SequencerError.h"

namespace qxt::link {

ErrorExplanation Explain(SequencerError error) {
  switch (error) {
    case SequencerError::kNone:
      return {{"Communication failed."}, CheckList::kB};
    case SequencerError::kSubRefused:
      return {{"Version number does not match", "for this transceiver."}, CheckList::kNone};
    case SequencerError::kNotCompatible:
      return {{"Connected transceiver is not compatible model."}, CheckList::kC};
    default:
      return {{"Cannot Clone."}, CheckList::kA};
  }
}

}  // namespace qxt::link
