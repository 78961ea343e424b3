#pragma once
// The kinds of value a profile key can carry, and their text form in the file.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace qxt::settings {

// Fixed point with four decimals: the value times 10000.
struct Currency {
  int64_t scaled = 0;
  friend bool operator==(const Currency&, const Currency&) = default;
};

// A calendar date and a time of day, to the second.
struct DateTime {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// std::monostate stands for every kind the profile does not support (empty, objects, arrays...).
using ProfileValue =
    std::variant<std::monostate, int16_t, int32_t, float, double, Currency, uint8_t, DateTime, std::string, bool>;

// The text written for a value; nullopt for an unsupported kind.
std::optional<std::string> ProfileValueToText(const ProfileValue& value);

// Converts text to the kind of `kind`; nullopt when it cannot be converted (not a number, out of
// the kind's range, a date text of the wrong length or outside the calendar).
std::optional<ProfileValue> ProfileValueFromText(const std::string& text, const ProfileValue& kind);

}  // namespace qxt::settings
