#pragma once
// The kinds of value a profile key can carry, and their text form in the file.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace qxt::settings {

// std::monostate stands for every kind the profile does not support (empty, objects, arrays...).
// The program's options are whole numbers, texts and switches; no other kind is kept.
using ProfileValue = std::variant<std::monostate, int16_t, int32_t, uint8_t, std::string, bool>;

// The text written for a value; nullopt for an unsupported kind.
std::optional<std::string> ProfileValueToText(const ProfileValue& value);

// Converts text to the kind of `kind`; nullopt when it cannot be converted (not a number, out of
// the kind's range).
std::optional<ProfileValue> ProfileValueFromText(const std::string& text, const ProfileValue& kind);

}  // namespace qxt::settings
