#include "record/Provenance.h"

#include "common/Sha256.h"
#include "common/Translate.h"

namespace qxt::record {

std::string ProvenanceNote(const RecordReader& reader, const Bytes& file, const std::string& identity) {
  const auto first = reader.ReadIn(common::Sha256Hex(file));
  if (!first) {
    return common::TrNoop("qxt",
                          "The service record does not know this image: no radio was read to hold it here. Make sure "
                          "it is an image of this radio.");
  }
  if (first->identity == identity) {
    return common::Compose(
        common::TrNoop("qxt", "The service record knows this image: it was read from this radio on %1."),
        {first->started});
  }
  return "Caution: the service record knows this image as read on " + first->started +
         " from a radio with other identification data (" +
         (first->identity.empty() ? std::string("none recorded") : first->identity) +
         ", this radio: " + (identity.empty() ? std::string("none") : identity) + ").";
}

}  // namespace qxt::record
