#include "settings/ProfileValue.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace qxt::settings {

namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

template <class T>
std::string ShortestText(T v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

std::string CurrencyText(Currency c) {
  bool neg = c.scaled < 0;
  uint64_t mag = neg ? 0 - static_cast<uint64_t>(c.scaled) : static_cast<uint64_t>(c.scaled);
  std::string text = std::to_string(mag / 10000);
  std::string frac = std::to_string(10000 + mag % 10000).substr(1);
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  if (!frac.empty()) text += "." + frac;
  return (neg ? "-" : "") + text;
}

std::string DateText(const DateTime& d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d.%02d.%02d-%02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute, d.second);
  return buf;
}

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

std::optional<ProfileValue> ToCurrency(const std::string& text) {
  auto v = ParseNumber(text);
  if (!v) return std::nullopt;
  double r = std::nearbyint(*v * 10000.0);
  if (std::fabs(r) >= 9.2233720368547e18) return std::nullopt;
  return ProfileValue(Currency{static_cast<int64_t>(r)});
}

// The leading number of a text, 0 when there is none (as a numeric "Val" reads it).
long LeadingValue(const std::string& s) {
  std::string t = Trim(s);
  char* end = nullptr;
  long v = std::strtol(t.c_str(), &end, 10);
  return end == t.c_str() ? 0 : v;
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2 ? 1 : 0;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

DateTime CivilFromSeconds(int64_t secs) {
  int64_t days = secs >= 0 ? secs / 86400 : -((-secs + 86399) / 86400);
  int64_t rem = secs - days * 86400;
  int64_t z = days + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int64_t d = doy - (153 * mp + 2) / 5 + 1;
  int64_t m = mp + (mp < 10 ? 3 : -9);
  int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return DateTime{static_cast<int>(y),
                  static_cast<int>(m),
                  static_cast<int>(d),
                  static_cast<int>(rem / 3600),
                  static_cast<int>(rem % 3600 / 60),
                  static_cast<int>(rem % 60)};
}

// "yyyy.mm.dd-hh:mm:ss": each field by its numeric value; months, days and times out of their
// ranges carry over into the next larger unit, as a date built from parts does.
std::optional<ProfileValue> ToDate(const std::string& text) {
  if (text.size() != 19) return std::nullopt;
  auto field = [&](size_t pos, size_t len) { return static_cast<int64_t>(LeadingValue(text.substr(pos, len))); };
  int64_t y = field(0, 4), mo = field(5, 2), d = field(8, 2);
  int64_t h = field(11, 2), mi = field(14, 2), s = field(17, 2);
  int64_t m0 = mo - 1;
  int64_t yearCarry = m0 >= 0 ? m0 / 12 : -((-m0 + 11) / 12);
  y += yearCarry;
  m0 -= yearCarry * 12;
  int64_t secs = (DaysFromCivil(y, m0 + 1, 1) + d - 1) * 86400 + h * 3600 + mi * 60 + s;
  DateTime out = CivilFromSeconds(secs);
  if (out.year < 100 || out.year > 9999) return std::nullopt;
  return ProfileValue(out);
}

}  // namespace

std::optional<std::string> ProfileValueToText(const ProfileValue& value) {
  return std::visit(Overloaded{
                        [](std::monostate) -> std::optional<std::string> { return std::nullopt; },
                        [](int16_t v) -> std::optional<std::string> { return std::to_string(v); },
                        [](int32_t v) -> std::optional<std::string> { return std::to_string(v); },
                        [](uint8_t v) -> std::optional<std::string> { return std::to_string(v); },
                        [](float v) -> std::optional<std::string> { return ShortestText(v); },
                        [](double v) -> std::optional<std::string> { return ShortestText(v); },
                        [](Currency v) -> std::optional<std::string> { return CurrencyText(v); },
                        [](const DateTime& v) -> std::optional<std::string> { return DateText(v); },
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
                        [&](float) -> std::optional<ProfileValue> {
                          auto v = ParseNumber(text);
                          if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
                          return ProfileValue(static_cast<float>(*v));
                        },
                        [&](double) -> std::optional<ProfileValue> {
                          auto v = ParseNumber(text);
                          if (!v) return std::nullopt;
                          return ProfileValue(*v);
                        },
                        [&](Currency) { return ToCurrency(text); },
                        [&](const DateTime&) { return ToDate(text); },
                        [&](const std::string&) -> std::optional<ProfileValue> { return ProfileValue(text); },
                        [&](bool) -> std::optional<ProfileValue> { return ProfileValue(text != "0"); },
                    },
                    kind);
}

}  // namespace qxt::settings
