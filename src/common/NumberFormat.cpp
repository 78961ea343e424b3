#include "common/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qxt::common {

namespace {

struct Pattern {
  std::string prefix;
  std::string suffix;
  int intZeros = 0;     // "0" placeholders before the point
  int decPlaces = 0;    // placeholders after the point
  int minDecimals = 0;  // position of the last "0" after the point
  bool hasPoint = false;
  bool percent = false;
};

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

Pattern ParsePattern(std::string_view p) {
  Pattern out;
  size_t i = 0;
  while (i < p.size() && !IsPlaceholder(p[i]) && p[i] != '.') out.prefix += p[i++];
  for (; i < p.size() && IsPlaceholder(p[i]); ++i) out.intZeros += p[i] == '0' ? 1 : 0;
  if (i < p.size() && p[i] == '.') {
    out.hasPoint = true;
    for (++i; i < p.size() && IsPlaceholder(p[i]); ++i) {
      ++out.decPlaces;
      if (p[i] == '0') out.minDecimals = out.decPlaces;
    }
  }
  out.suffix = std::string(p.substr(i));
  out.percent = out.prefix.find('%') != std::string::npos || out.suffix.find('%') != std::string::npos;
  return out;
}

// |value| as whole-part digits and fraction digits, from its 15 significant decimal digits.
void DecimalDigits(double magnitude, std::string& whole, std::string& fraction) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", magnitude);
  std::string digits;
  const char* p = buf;
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  int pointPos = std::atoi(p + 1) + 1;  // digits before the decimal point
  if (pointPos <= 0) {
    whole.clear();
    fraction = std::string(static_cast<size_t>(-pointPos), '0') + digits;
  } else if (static_cast<size_t>(pointPos) >= digits.size()) {
    whole = digits + std::string(static_cast<size_t>(pointPos) - digits.size(), '0');
    fraction.clear();
  } else {
    whole = digits.substr(0, static_cast<size_t>(pointPos));
    fraction = digits.substr(static_cast<size_t>(pointPos));
  }
}

// Adds one unit in the last place of whole+fraction, carrying leftwards.
void IncrementLast(std::string& whole, std::string& fraction) {
  for (auto* part : {&fraction, &whole}) {
    for (size_t i = part->size(); i-- > 0;) {
      if ((*part)[i] != '9') {
        ++(*part)[i];
        return;
      }
      (*part)[i] = '0';
    }
  }
  whole.insert(whole.begin(), '1');
}

}  // namespace

std::string FormatNumber(double value, std::string_view patternText) {
  const Pattern pat = ParsePattern(patternText);
  if (pat.percent) value *= 100.0;
  if (std::isnan(value)) return pat.prefix + "NaN" + pat.suffix;
  if (std::isinf(value)) return pat.prefix + (value < 0 ? "-Inf" : "Inf") + pat.suffix;

  std::string whole, fraction;
  DecimalDigits(std::fabs(value), whole, fraction);
  const auto places = static_cast<size_t>(pat.decPlaces);
  if (fraction.size() > places) {
    bool roundUp = fraction[places] >= '5';
    fraction.resize(places);
    if (roundUp) IncrementLast(whole, fraction);
  }
  fraction.resize(places, '0');
  while (fraction.size() > static_cast<size_t>(pat.minDecimals) && fraction.back() == '0') fraction.pop_back();

  size_t firstNonZero = whole.find_first_not_of('0');
  whole = firstNonZero == std::string::npos ? std::string() : whole.substr(firstNonZero);
  if (whole.size() < static_cast<size_t>(pat.intZeros)) {
    whole.insert(0, static_cast<size_t>(pat.intZeros) - whole.size(), '0');
  }

  bool anyDigit = (whole + fraction).find_first_not_of('0') != std::string::npos;
  std::string out = (value < 0 && anyDigit) ? "-" : "";
  out += pat.prefix + whole;
  if (pat.hasPoint) out += "." + fraction;
  return out + pat.suffix;
}

}  // namespace qxt::common
