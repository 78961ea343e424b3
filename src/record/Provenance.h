#pragma once
// Where an image file came from, as far as the service record knows: before a restore the
// technician is told when the file was read from a radio with other identification data.

#include <string>

#include "common/Bytes.h"
#include "record/RecordReader.h"

namespace qxt::record {

// A sentence for the restore dialog, or "" when the record does not know the file or it was
// read from this radio (identity: the identification data of the radio connected now).
std::string ProvenanceNote(const RecordReader& reader, const Bytes& file, const std::string& identity);

}  // namespace qxt::record
