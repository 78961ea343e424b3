#pragma once
// The cloning protocol on the wire, written down once: the frame driver, the simulated radio and
// the tests all build and read frames with what is here.
//
// Frame (raw bytes):
//   pos    | PC to transceiver       | transceiver to PC
//   1, 2   | FE FE (preamble)        | FE FE (one or more FE)
//   3      | EE (to the transceiver) | EF (to the PC)
//   4      | EF (from the PC)        | EE (from the transceiver)
//   5      | command code            | command code
//   6..n-1 | command data            | answer data
//   n      | FD (end)                | FD (end)
// The cable echoes every byte the PC sends, so the PC reads its own frame back before the answer.
// FE and FD never occur inside a frame: addresses, counts, data and checksums travel as
// ASCII-hex (each hex digit as its character code), model and sub codes are decimal-digit bytes.
//
// Commands (M, S: model and sub code, two bytes each, for example 29 27 and 01 00):
//   E0 inquiry            M 00 00                              answer E1
//   E2 clone read         M S                                  answer E4 stream closed by E5
//   E3 clone write start  M S                                  no answer; E4 blocks, then E5
//   E4 clone data block   ASCII-hex: addr hi, addr lo, count c, c data bytes, checksum
//   E5 clone write end    the maker text                       answer E6
//   E8 live command       M S sub-command ...                  answer E8 when requested
//
// Bodies (the bytes between the last leading FE and the FD; positions from 1):
//   E1  1 EF | 2 EE | 3 E1 | 4-5 model | 6-7 sub | 8 length (= body length - 7) | 9.. identity;
//       43 = 06, 59 option bits, 66-69 last EEPROM address as four ASCII-hex digits
//   E4  1 EF | 2 EE | 3 E4 | 4-7 address | 8-9 count c | 10.. c data bytes | last 2 checksum
//       (all ASCII-hex pairs; the pair values from position 4 sum to 0 modulo 256; from the PC
//       the body starts EE EF E4)
//   E5  1 EF | 2 EE | 3 E5 | 4-12 maker text | 13-14 E4 frames sent, modulo 256, ASCII-hex
//   E6  1 EF | 2 EE | 3 E6 | 4 status (00 = accepted)
//   E8  1 EF | 2 EE | 3 E8 | 4-7 model and sub code | 8 sub-command echoed | 9.. result

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/Bytes.h"
#include "link/LiveCommand.h"

namespace qxt::link::wire {

inline constexpr uint8_t kPreamble = 0xFE;
inline constexpr uint8_t kEnd = 0xFD;
inline constexpr uint8_t kToRadio = 0xEE;
inline constexpr uint8_t kToPc = 0xEF;

enum class Command : uint8_t {
  kInquiry = 0xE0,
  kIdentity = 0xE1,
  kCloneRead = 0xE2,
  kCloneWrite = 0xE3,
  kCloneData = 0xE4,
  kCloneEnd = 0xE5,
  kWriteStatus = 0xE6,
  kLive = 0xE8,
};

// The maker text that closes every clone transfer: "Tavo Inc.".
inline constexpr std::array<uint8_t, 9> kMakerText = {0x54, 0x61, 0x76, 0x6F, 0x20, 0x49, 0x6E, 0x63, 0x2E};

// Positions in an E1 body.
inline constexpr size_t kIdentityMinBody = 59;  // the shortest body the length rule accepts
inline constexpr size_t kCompatiblePos = 43;    // holds kCompatible on a radio this program serves
inline constexpr uint8_t kCompatible = 0x06;
inline constexpr size_t kOptionsPos = 59;     // option bits: 32 digital, 16 mixed
inline constexpr size_t kEndAddressPos = 66;  // 66..69: the last EEPROM address, ASCII-hex
inline constexpr size_t kIdentityFullBody = 69;

// Positions in an E8 answer body.
inline constexpr size_t kLiveSubCommandPos = 8;
inline constexpr size_t kLiveAnswerBody = 10;  // with the value's two ASCII-hex digits

// The largest clone data block (its count is one byte) and the longest E4 body it makes:
// EF EE E4, then address, count, data and checksum as two characters each.
inline constexpr size_t kMaxBlockData = 255;
inline constexpr size_t kMaxBlockBody = 3 + 2 * (2 + 1 + kMaxBlockData + 1);

// FE FE EE EF, the command code and its data, FD.
Bytes FrameToRadio(const Bytes& data);
// FE FE EF EE, the command code and its data, FD.
Bytes FrameToPc(const Bytes& data);

// The byte that brings the sum of the block's bytes to 0 modulo 256.
uint8_t BlockChecksum(const Bytes& raw);

// The data of an E4 command (the code, then the ASCII-hex of address, count, data, checksum).
// checksumError adds to the checksum, to build damaged blocks on purpose.
Bytes CloneDataCommand(int32_t address, const Bytes& data, int checksumError = 0);

// The data of an E5 command that ends a clone write: the code and the maker text.
Bytes CloneEndCommand();

// The data of an E8 command: the code, the radio's model and sub code, the command byte and its
// value as two ASCII-hex digits (command 0B with 128 for 29 27 01 00: E8 29 27 01 00 0B 38 30).
Bytes LiveCommandData(const Bytes& codes, const LiveCommand& command);
// A command byte followed by a value in two ASCII-hex digits, as values; nullopt for other data.
std::optional<LiveCommand> DecodeLiveCommand(const Bytes& data);

// An E8 answer body against the data of the command it answers. A broken frame (codes that are
// not decimal digits, another sub-command) fails the exchange; a sound frame gives its answer
// when it also carries the radio's codes the command went to and exactly one hex value.
struct LiveJudgement {
  bool frameValid = false;
  std::optional<LiveAnswer> answer;
};
LiveJudgement JudgeLiveAnswer(const Bytes& body, const Bytes& sentData);

// The model and sub code at body positions 4..7 read as a number: decimal digits only.
bool CodesNumeric(const Bytes& body);

struct CloneBlock {
  int32_t address = 0;
  Bytes data;
};

// An E4 body (either direction) that keeps every rule: odd length of at least 13, hex pairs from
// position 4, a zero checksum sum and a count that matches the length. nullopt otherwise.
std::optional<CloneBlock> DecodeCloneData(const Bytes& body);

}  // namespace qxt::link::wire
