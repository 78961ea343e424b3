#pragma once
// One write to the service record, held as data: it waits in memory while the database is busy
// or full, and goes to the journal beside the record when the program ends before it is written.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "common/Bytes.h"

namespace qxt::record {

enum class WriteKind {
  kBeginSession,
  kSessionRadio,
  kEndSession,
  kEvent,
  kImage,
  kBeginProcedure,
  kEndProcedure,
  kPoint,
  kSeriesStarted,
  kSeriesEnded,
  kChanges,
};
constexpr int kWriteKinds = 11;

using Field = std::variant<std::monostate, int64_t, std::string, Bytes>;

struct PendingWrite {
  WriteKind kind = WriteKind::kEvent;
  std::vector<Field> fields;
  // The rows written to: 0 for the one the last begin before it in the queue made.
  int64_t session = 0, procedure = 0;
  // Which begin of this program made the row (so that the program learns its id).
  uint64_t token = 0;
};

}  // namespace qxt::record
