#pragma once
// Why a value goes out to the radio. It travels with the live command from the part that sends
// it to the link, which hands it to whoever listens to the frames written (the service record).

namespace qxt::common {

enum class SendReason { kKey, kProcedure, kConnect, kMirror, kRevert, kUndo, kRestore, kPutBack };

}  // namespace qxt::common
