#include "common/Common.h"

#include "common/Log.h"
#include "common/MessageBox.h"

namespace qxt::common {

namespace {

// Reads hex digits from the front of text until the first non-hex character.
uint32_t LeadingHexValue(std::string_view text) {
  uint32_t value = 0;
  for (unsigned char c : text) {
    int digit = HexDigitValue(c);
    if (digit < 0) break;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  return value;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

class SilentMessageBox : public MessageBox {
 public:
  int16_t show(const std::string&, const std::string&, int16_t, const std::string&) override { return kOk; }
};

MessageBox* g_installed = nullptr;
std::function<void(const std::string&)> g_listener;

}  // namespace

int HexDigitValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<uint8_t> HexPairValue(uint8_t high, uint8_t low) {
  const int h = HexDigitValue(high), l = HexDigitValue(low);
  if (h < 0 || l < 0) return std::nullopt;
  return static_cast<uint8_t>(h * 16 + l);
}

void MessageBox::install(MessageBox* box) { g_installed = box; }

MessageBox& MessageBox::current() {
  static SilentMessageBox fallback;
  return g_installed != nullptr ? *g_installed : fallback;
}

void MessageBox::listen(std::function<void(const std::string&)> listener) { g_listener = std::move(listener); }

void MessageBox::tell(const std::string& text) {
  if (g_listener) g_listener(text);
}

Bytes StrToByteStr(std::string_view text) { return Bytes(text.begin(), text.end()); }

int16_t AsciiHexToInt(const Bytes& ascii) {
  std::string_view text(reinterpret_cast<const char*>(ascii.data()), ascii.size());
  return static_cast<int16_t>(static_cast<uint16_t>(LeadingHexValue(text) & 0xFFFFu));
}

Bytes HexStrToByteStr(std::string_view hex) {
  Bytes out;
  out.reserve(hex.size() / 2);
  while (hex.size() >= 2) {
    if (hex.front() == ' ') {
      hex.remove_prefix(1);
      continue;
    }
    out.push_back(static_cast<uint8_t>(LeadingHexValue(hex.substr(0, 2))));
    hex.remove_prefix(2);
  }
  return out;
}

std::string ByteStrToHexStr(const Bytes& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 0x0F]);
  }
  return out;
}

std::string ByteToHex2(int32_t value) {
  auto low = static_cast<uint8_t>(value & 0xFF);
  return {kHexDigits[low >> 4], kHexDigits[low & 0x0F]};
}

std::string ByteToAsciiHexStr(int32_t value) { return ByteStrToHexStr(StrToByteStr(ByteToHex2(value))); }

std::string SignedNumberText(int32_t n) { return (n < 0 ? "" : " ") + std::to_string(n); }

std::string ExpandNewLine(std::string text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\\' && text[i + 1] == 'n') {
      text[i] = '\r';
      text[i + 1] = '\n';
    }
  }
  return text;
}

int16_t MsgBoxError(const std::string& text, const std::string& detail) {
  const std::string expanded = ExpandNewLine(text);
  LogLine(detail.empty() ? expanded : expanded + "\r\n" + detail);
  MessageBox::tell(expanded);
  return MessageBox::current().show(expanded, kAppTitle, MessageBox::kCritical, detail);
}

int16_t MsgBoxWarning(const std::string& text) {
  LogLine(text);
  return MessageBox::current().show(text, kAppTitle, MessageBox::kWarning, "");
}

}  // namespace qxt::common
