#pragma once
// Where an image file came from, as far as the service record knows: before a restore the
// technician is told when the file was read from a radio with other identification data.

#include <string>

#include "common/Bytes.h"
#include "record/RecordReader.h"

namespace qxt::record {

// A sentence for the restore summary: the file was read from this radio, from a radio with other
// identification data, or is unknown to the record (identity: the radio connected now).
std::string ProvenanceNote(const RecordReader& reader, const Bytes& file, const std::string& identity);

}  // namespace qxt::record
