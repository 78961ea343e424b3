#include "record/RecordReader.h"

namespace qxt::record {

std::optional<Bytes> RecordReader::ImageBefore(int64_t session) const {
  const auto s = Session(session);
  return s ? Image(s->backupSha256) : std::nullopt;
}

std::optional<Bytes> RecordReader::ImageAfter(int64_t session) const {
  auto image = ImageBefore(session);
  if (!image) return std::nullopt;
  for (const EventRow& e : Events(session)) {
    // What the radio was read to hold, or the file a restore verified, is the whole memory.
    const bool whole = e.kind == "read" || (e.kind == "restore" && e.reason == "verified");
    if (whole && !e.imageSha256.empty()) {
      if (auto read = Image(e.imageSha256)) *image = *read;
    } else if (e.kind == "change" && e.address && e.after && *e.address >= 0 &&
               static_cast<size_t>(*e.address) < image->size()) {
      (*image)[static_cast<size_t>(*e.address)] = static_cast<uint8_t>(*e.after & 0xFF);
    }
  }
  return image;
}

}  // namespace qxt::record
