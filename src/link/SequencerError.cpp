#include "link/SequencerError.h"

#include "common/Translate.h"

namespace qxt::link {

ErrorExplanation Explain(SequencerError error) {
  switch (error) {
    case SequencerError::kNone:
      return {{common::TrNoop("qxt", "Communication failed.")}, CheckList::kB};
    case SequencerError::kSubRefused:
      return {{common::TrNoop("qxt", "Version number does not match"), common::TrNoop("qxt", "for this transceiver.")},
              CheckList::kNone};
    case SequencerError::kNotCompatible:
      return {{common::TrNoop("qxt", "Connected transceiver is not compatible model.")}, CheckList::kC};
    default:
      return {{common::TrNoop("qxt", "Cannot Clone.")}, CheckList::kA};
  }
}

}  // namespace qxt::link
