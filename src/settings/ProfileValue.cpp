#include "settings/ProfileValue.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace qxt::settings {

namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

// A decimal number, the whole (trimmed) text: sign, digits, point, exponent.
std::optional<double> ParseNumber(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  size_t start = (t[0] == '+') ? 1 : 0;
  double v = 0;
  auto res = std::from_chars(t.data() + start, t.data() + t.size(), v);
  if (res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// Whole numbers round half to even, as the conversion to an integer kind does.
template <class T>
std::optional<ProfileValue> ToInteger(const std::string& text) {
  auto v = ParseNumber(text);
  if (!v) return std::nullopt;
  double r = std::nearbyint(*v);
  if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) return std::nullopt;
  return ProfileValue(static_cast<T>(r));
}

}  // namespace

std::optional<std::string> ProfileValueToText(const ProfileValue& value) {
  return std::visit(Overloaded{
                        [](std::monostate) -> std::optional<std::string> { return std::nullopt; },
                        [](int16_t v) -> std::optional<std::string> { return std::to_string(v); },
                        [](int32_t v) -> std::optional<std::string> { return std::to_string(v); },
                        [](uint8_t v) -> std::optional<std::string> { return std::to_string(v); },
                        [](const std::string& v) -> std::optional<std::string> { return v; },
                        [](bool v) -> std::optional<std::string> { return std::string(v ? "1" : "0"); },
                    },
                    value);
}

std::optional<ProfileValue> ProfileValueFromText(const std::string& text, const ProfileValue& kind) {
  return std::visit(Overloaded{
                        [](std::monostate) -> std::optional<ProfileValue> { return std::nullopt; },
                        [&](int16_t) { return ToInteger<int16_t>(text); },
                        [&](int32_t) { return ToInteger<int32_t>(text); },
                        [&](uint8_t) { return ToInteger<uint8_t>(text); },
                        [&](const std::string&) -> std::optional<ProfileValue> { return ProfileValue(text); },
                        [&](bool) -> std::optional<ProfileValue> { return ProfileValue(text != "0"); },
                    },
                    kind);
}

}  // namespace qxt::settings
