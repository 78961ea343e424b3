#include "sim/SimGenerator.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace qxt::sim {

namespace {

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

std::string Trim(const std::string& s) {
  const size_t from = s.find_first_not_of(" \t\r");
  if (from == std::string::npos) return "";
  return s.substr(from, s.find_last_not_of(" \t\r") - from + 1);
}

// Long mnemonics to short ones; optional nodes are dropped afterwards.
constexpr std::pair<const char*, const char*> kLong[] = {
    {"SOURCE", "SOUR"}, {"FREQUENCY", "FREQ"}, {"FIXED", "FIX"},      {"POWER", "POW"},
    {"LEVEL", "LEV"},   {"IMMEDIATE", "IMM"},  {"AMPLITUDE", "AMPL"}, {"OUTPUT", "OUTP"},
    {"STATE", "STAT"},  {"SYSTEM", "SYST"},    {"ERROR", "ERR"},      {"MODULATION", "MOD"},
};
constexpr const char* kOptional[] = {"SOUR", "CW", "FIX", "LEV", "IMM", "AMPL", "STAT", "NEXT"};

std::string Header(const std::string& raw) {
  std::string h = Upper(raw);
  const bool query = !h.empty() && h.back() == '?';
  if (query) h.pop_back();
  std::vector<std::string> nodes;
  std::istringstream in(h);
  for (std::string node; std::getline(in, node, ':');) {
    if (node.empty()) continue;
    for (const auto& [full, brief] : kLong) {
      if (node == full) node = brief;
    }
    if (std::find_if(std::begin(kOptional), std::end(kOptional), [&](const char* o) { return node == o; }) ==
        std::end(kOptional))
      nodes.push_back(node);
  }
  std::string out;
  for (const auto& n : nodes) out += (out.empty() ? "" : ":") + n;
  return out + (query ? "?" : "");
}

// A number with an optional unit: the value in base units, or nullopt.
std::optional<double> Value(const std::string& text, const std::vector<std::pair<std::string, double>>& units) {
  const std::string t = Upper(Trim(text));
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || !std::isfinite(v)) return std::nullopt;
  const std::string unit = Trim(end);
  if (unit.empty()) return v;
  for (const auto& [name, factor] : units) {
    if (unit == name) return v * factor;
  }
  return std::nullopt;
}

std::string Number(double v) {
  std::ostringstream s;
  s.precision(12);
  s << v;
  return s.str();
}

}  // namespace

std::string SimGenerator::Handle(const std::string& line) {
  std::string answer;
  std::istringstream in(line);
  for (std::string command; std::getline(in, command, ';');) {
    command = Trim(command);
    if (command.empty()) continue;
    std::lock_guard lock(mutex_);
    history_.push_back(command);
    const std::string reply = Command(command);
    if (!reply.empty()) answer += (answer.empty() ? "" : ";") + reply;
  }
  return answer;
}

void SimGenerator::Error(const std::string& text) {
  if (errors_.size() < 10) errors_.push_back(text);
}

std::string SimGenerator::Command(const std::string& command) {
  const size_t space = command.find_first_of(" \t");
  const std::string header = Header(command.substr(0, space));
  const std::string arg = space == std::string::npos ? "" : Trim(command.substr(space));
  const bool needsArg = header == "FREQ" || header == "POW" || header == "OUTP" || header == "OUTP:MOD";
  if (needsArg && arg.empty()) {
    Error("-109,\"Missing parameter\"");
    return "";
  }
  if (header == "*IDN?") return kIdentity;
  if (header == "*OPC?") return "1";
  if (header == "*CLS") {
    errors_.clear();
  } else if (header == "*RST") {
    rfOn_ = false;
  } else if (header == "SYST:ERR?") {
    if (errors_.empty()) return "0,\"No error\"";
    std::string e = errors_.front();
    errors_.pop_front();
    return e;
  } else if (header == "FREQ?") {
    return Number(frequencyHz_);
  } else if (header == "POW?") {
    return Number(levelDbm_);
  } else if (header == "OUTP?") {
    return rfOn_ ? "1" : "0";
  } else if (header == "FREQ") {
    const auto v = Value(arg, {{"HZ", 1}, {"KHZ", 1e3}, {"MHZ", 1e6}, {"GHZ", 1e9}});
    if (!v)
      Error("-131,\"Invalid suffix\"");
    else if (*v < 9e3 || *v > 6e9)
      Error("-222,\"Data out of range\"");
    else
      frequencyHz_ = *v;
  } else if (header == "POW") {
    const auto v = Value(arg, {{"DBM", 1}});
    if (!v)
      Error("-131,\"Invalid suffix\"");
    else if (*v < minLevel_ || *v > maxLevel_)
      Error("-222,\"Data out of range\"");
    else
      levelDbm_ = *v;
  } else if (header == "OUTP" || header == "OUTP:MOD") {
    const std::string a = Upper(arg);
    if (a != "ON" && a != "OFF" && a != "1" && a != "0")
      Error("-224,\"Illegal parameter value\"");
    else if (header == "OUTP")
      rfOn_ = a == "ON" || a == "1";
  } else {
    Error("-113,\"Undefined header\"");
  }
  return "";
}

std::optional<double> SimGenerator::AntennaLevel(int64_t rxHz, int64_t bandwidthHz) const {
  std::lock_guard lock(mutex_);
  if (!rfOn_ || std::abs(frequencyHz_ - static_cast<double>(rxHz)) >= static_cast<double>(bandwidthHz)) {
    return std::nullopt;
  }
  return levelDbm_;
}

void SimGenerator::minLevel(double dbm) {
  std::lock_guard lock(mutex_);
  minLevel_ = dbm;
}

void SimGenerator::replyDelayMs(int ms) {
  std::lock_guard lock(mutex_);
  replyDelayMs_ = ms;
}

int SimGenerator::replyDelayMs() const {
  std::lock_guard lock(mutex_);
  return replyDelayMs_;
}

std::string SimGenerator::Status() const {
  std::lock_guard lock(mutex_);
  return "generator " + Number(frequencyHz_) + " Hz " + Number(levelDbm_) + " dBm RF " + (rfOn_ ? "on" : "off") +
         ", errors " + std::to_string(errors_.size()) + ", delay " + std::to_string(replyDelayMs_) + " ms";
}

std::vector<std::string> SimGenerator::History() const {
  std::lock_guard lock(mutex_);
  return history_;
}

}  // namespace qxt::sim
