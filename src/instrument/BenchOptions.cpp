#include "instrument/BenchOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "instrument/VisaResource.h"

namespace qxt::instrument {

namespace {

std::string Trim(const std::string& s) {
  const size_t from = s.find_first_not_of(" \t");
  if (from == std::string::npos) return "";
  return s.substr(from, s.find_last_not_of(" \t") - from + 1);
}

std::vector<std::string> SplitTrimmed(const std::string& text, char separator) {
  std::vector<std::string> out;
  size_t from = 0;
  for (;;) {
    const size_t at = text.find(separator, from);
    const std::string part = Trim(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (!part.empty()) out.push_back(part);
    if (at == std::string::npos) return out;
    from = at + 1;
  }
}

struct NumberKey {
  const char* key;
  double lowest, highest;
  double BenchOptions::*real;
  int BenchOptions::*whole;
};

constexpr NumberKey kNumbers[] = {
    {"BpfLevel", -200, 30, &BenchOptions::bpfLevel, nullptr},
    {"RssiS3Level", -200, 30, &BenchOptions::rssiS3Level, nullptr},
    {"RssiS1Level", -200, 30, &BenchOptions::rssiS1Level, nullptr},
    {"CableLoss", 0, 60, &BenchOptions::cableLoss, nullptr},
    {"MaxLevel", -200, 30, &BenchOptions::maxLevel, nullptr},
    {"Settle", 0, 10000, nullptr, &BenchOptions::settleMs},
    {"Timeout", 100, 60000, nullptr, &BenchOptions::timeoutMs},
};

std::string NumberText(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

}  // namespace

std::string FormatLevel(double dbm) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", std::round(dbm * 100.0) / 100.0);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::vector<std::string> BenchOptions::SetupCommands() const { return SplitTrimmed(setup, ';'); }
std::vector<std::string> BenchOptions::SequenceTitles() const { return SplitTrimmed(sequence, ','); }

BenchOptions BenchOptions::Load(const common::OptionsFile& file, std::vector<std::string>& notices) {
  BenchOptions o;
  o.generator = Trim(file.ReadKey(kSection, "Generator", ""));
  std::string why;
  if (!o.generator.empty() && !VisaResource::Parse(o.generator, why)) {
    notices.push_back("The options set Generator=" + o.generator + ": " + why + " No generator is used.");
    o.generator.clear();
  }
  for (const NumberKey& k : kNumbers) {
    const std::string text = Trim(file.ReadKey(kSection, k.key, ""));
    if (text.empty()) continue;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    const bool whole = k.whole == nullptr || v == std::floor(v);
    if (*end != '\0' || !std::isfinite(v) || v < k.lowest || v > k.highest || !whole) {
      notices.push_back("The options set " + std::string(k.key) + "=" + text + ", not a number from " +
                        NumberText(k.lowest) + " to " + NumberText(k.highest) + ": the default is used.");
      continue;
    }
    if (k.real != nullptr) o.*k.real = v;
    if (k.whole != nullptr) o.*k.whole = static_cast<int>(v);
  }
  o.setup = Trim(file.ReadKey(kSection, "Setup", ""));
  const std::string sequence = Trim(file.ReadKey(kSection, "Sequence", ""));
  if (!sequence.empty()) o.sequence = sequence;
  return o;
}

bool BenchOptions::Save(common::OptionsFile& file) const {
  const BenchOptions defaults;
  bool saved = true;
  auto put = [&](const char* key, const std::string& text, bool differs) {
    if (differs || !file.ReadKey(kSection, key, "").empty()) saved = file.WriteKey(kSection, key, text) && saved;
  };
  put("Generator", generator, !generator.empty());
  for (const NumberKey& k : kNumbers) {
    const double v = k.real != nullptr ? this->*k.real : this->*k.whole;
    const double d = k.real != nullptr ? defaults.*k.real : defaults.*k.whole;
    put(k.key, NumberText(v), v != d);
  }
  put("Setup", setup, !setup.empty());
  put("Sequence", sequence, sequence != defaults.sequence);
  return saved;
}

}  // namespace qxt::instrument
