#include "sim/SimCommands.h"

#include <cstdlib>
#include <sstream>

namespace qxt::sim {

namespace {

bool ParseDouble(const std::string& text, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  out = std::strtod(text.c_str(), &end);
  return *end == '\0';
}

bool ParseSetting(const std::string& text, int& out) {
  double v = 0;
  if (!ParseDouble(text, v) || v < 0 || v > 255 || v != static_cast<int>(v)) return false;
  out = static_cast<int>(v);
  return true;
}

std::string Status(const SimRadio& radio) {
  std::ostringstream s;
  s << "signal " << SignalName(radio.bench.signal) << ", temp " << radio.bench.ambientC << ", vin "
    << radio.bench.supplyVolts << ", centres t1 " << radio.bench.t1Centre << " t2 " << radio.bench.t2Centre
    << ", block " << radio.blockSize << ", faults " << radio.faults.Describe() << ", BPF T1 " << radio.live.value[0x13]
    << " T2 " << radio.live.value[0x14] << ", RX LVA " << radio.live.value[0x06] << " TX LVA "
    << radio.live.value[0x07];
  return s.str();
}

}  // namespace

CommandResult ApplyCommand(const std::string& line, SimRadio& radio, std::string& reply) {
  std::istringstream in(line);
  std::string verb, a, b;
  in >> verb >> a >> b;
  bool ok = false;
  if (verb.empty()) {
    return CommandResult::kOk;
  } else if (verb == "quit") {
    reply = "bye";
    return CommandResult::kQuit;
  } else if (verb == "help") {
    reply =
        "commands: signal s1|s3|off, temp C, vin V, centre t1|t2 N, block N, fault NAME[=N], fault clear, "
        "status, gen slow MS, gen min-level DBM, gen status, quit. Faults: no-echo, no-answer-inquiry, no-answer-ad, "
        "bad-checksum=N, bad-count, other-model, "
        "sub-0200, pos43-05, short-e1, bad-ad, garbage, hangup=N, slow, missing-blocks=N, refuse-write, "
        "echo-stops=N";
    return CommandResult::kOk;
  } else if (verb == "signal") {
    ok = ParseSignal(a, radio.bench.signal);
  } else if (verb == "temp") {
    ok = ParseDouble(a, radio.bench.ambientC) && b.empty();
  } else if (verb == "vin") {
    ok = ParseDouble(a, radio.bench.supplyVolts) && b.empty();
  } else if (verb == "centre" || verb == "center") {
    ok = (a == "t1" && ParseSetting(b, radio.bench.t1Centre)) || (a == "t2" && ParseSetting(b, radio.bench.t2Centre));
  } else if (verb == "block") {
    int size = 0;
    ok = ParseSetting(a, size) && size >= 1 && b.empty();
    if (ok) radio.blockSize = size;
  } else if (verb == "fault") {
    if (a == "clear") {
      radio.faults.Clear();
      ok = true;
    } else {
      ok = radio.faults.Set(b.empty() ? a : a + "=" + b);
    }
  } else if (verb == "status") {
    ok = true;
  } else if (verb == "gen" && radio.generator != nullptr) {
    double v = 0;
    if (a == "slow" && ParseDouble(b, v) && v >= 0 && v <= 10000) {
      radio.generator->replyDelayMs(static_cast<int>(v));
      ok = true;
    } else if (a == "min-level" && ParseDouble(b, v)) {
      radio.generator->minLevel(v);
      ok = true;
    } else if (a == "status" && b.empty()) {
      reply = "ok " + radio.generator->Status();
      return CommandResult::kOk;
    }
  }
  reply = ok ? "ok " + Status(radio) : "error: cannot understand \"" + line + "\"";
  return ok ? CommandResult::kOk : CommandResult::kError;
}

}  // namespace qxt::sim
