#pragma once
// Stateless helpers for the encodings on the wire: hex text, byte strings and ASCII-hex
// (a number carried as the character codes of its hex digits), plus the error message box.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Bytes.h"

namespace qxt::common {

// The window title; also the title of every message box.
inline constexpr const char* kAppTitle = "QX-T7130 ADJ Rev.1.0";

// The value of one hex digit character (either case), or -1 for any other byte.
int HexDigitValue(uint8_t c);

// Two hex digit characters as one byte value; nullopt when either is not a hex digit.
std::optional<uint8_t> HexPairValue(uint8_t high, uint8_t low);

// Each character's code as one byte; characters above 255 cannot occur in a std::string.
Bytes StrToByteStr(std::string_view text);

// The bytes read as the characters of one hex number: digits up to the first non-hex
// character, 0 when there are none. The low 16 bits, signed ("FFFF" gives -1).
int16_t AsciiHexToInt(const Bytes& ascii);

// Pairs of hex digits, blanks allowed between pairs; a lone trailing character is ignored.
// A pair that is not fully hex gives the value of its leading hex digit, or 0.
Bytes HexStrToByteStr(std::string_view hex);

// Two upper-case hex digits per byte, no separators.
std::string ByteStrToHexStr(const Bytes& bytes);

// The low byte of value as two upper-case hex digits ("05", 291 gives "23").
std::string ByteToHex2(int32_t value);

// The low byte's two hex digits, each replaced by its character code in hex: 0x3A gives "3341".
std::string ByteToAsciiHexStr(int32_t value);

// A number with a leading position for its sign: " 3" and "-3".
std::string SignedNumberText(int32_t n);

// Every two-character mark backslash-n becomes CR LF; the length never changes.
std::string ExpandNewLine(std::string text);

// Shows text (through ExpandNewLine) in a modal box with the critical-stop icon (style 16),
// one OK button and the program's title; returns the button code. detail: the cause, behind the
// box's "Show Details..." button. The message and its detail also go to standard error.
int16_t MsgBoxError(const std::string& text, const std::string& detail = "");
// The same with the exclamation icon (style 48), for what the technician must know before going
// on, when nothing failed. The caller records it as what it is.
int16_t MsgBoxWarning(const std::string& text);

}  // namespace qxt::common
