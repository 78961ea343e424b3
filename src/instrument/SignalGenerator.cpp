#include "instrument/SignalGenerator.h"

#include <cstdlib>

namespace qxt::instrument {

SignalGenerator::SignalGenerator(ScpiTransport& transport, BenchOptions options)
    : transport_(transport), options_(std::move(options)) {}

std::string SignalGenerator::CheckLevel(double antennaDbm) const {
  const double sent = SentLevel(antennaDbm);
  if (sent <= options_.maxLevel) return "";
  return "The level " + FormatLevel(sent) + " dBm (" + FormatLevel(antennaDbm) + " dBm at the antenna and " +
         FormatLevel(options_.cableLoss) + " dB of cable) is above MaxLevel=" + FormatLevel(options_.maxLevel) +
         " dBm: nothing was sent to the generator.";
}

std::vector<std::string> SignalGenerator::TakeSent() {
  std::vector<std::string> out;
  out.swap(sent_);
  return out;
}

bool SignalGenerator::Send(const std::string& line) {
  sent_.push_back(line);
  return transport_.Send(line, options_.timeoutMs);
}

std::optional<std::string> SignalGenerator::Query(const std::string& line, std::string& error) {
  if (!Send(line)) {
    error = "The generator " + options_.generator + " could not be reached (the connection broke at \"" + line +
            "\"): check that it is switched on and its address.";
    return std::nullopt;
  }
  auto answer = transport_.Receive(options_.timeoutMs);
  if (!answer) {
    error = "The generator " + options_.generator + " did not answer " + line + " within " +
            std::to_string(options_.timeoutMs) + " ms: check that it is switched on, its address and its cable.";
  }
  return answer;
}

// A broken exchange leaves the line in an unknown state: the next group connects afresh.
std::string SignalGenerator::Broken(const std::string& error) {
  Disconnect();
  return error;
}

std::string SignalGenerator::Connect() {
  if (connected_) return "";
  std::string why;
  resource_ = VisaResource::Parse(options_.generator, why);
  if (!resource_) return why;
  const std::string opened = transport_.Open(*resource_, options_.timeoutMs);
  if (!opened.empty()) {
    return "The generator " + options_.generator + " could not be reached (" + opened +
           "): check that it is switched on and its address.";
  }
  std::string error;
  const auto idn = Query("*IDN?", error);
  if (!idn) return Broken(error);
  identity_ = *idn;
  connected_ = true;
  if (!Send("*CLS")) return Broken("The generator " + options_.generator + " broke the connection after *IDN?.");
  for (const std::string& command : options_.SetupCommands()) {
    if (!Send(command))
      return Broken("The generator " + options_.generator + " broke the connection at " + command + ".");
  }
  if (!options_.SetupCommands().empty()) return CheckErrors("the Setup commands");
  return "";
}

void SignalGenerator::Disconnect() {
  transport_.Close();
  connected_ = false;
}

std::string SignalGenerator::Apply(const GeneratorSettings& settings) {
  if (settings.antennaDbm) {
    if (std::string refusal = CheckLevel(*settings.antennaDbm); !refusal.empty()) return refusal;
  }
  if (std::string error = Connect(); !error.empty()) return error;
  std::string group, last;
  auto send = [&](const std::string& line) {
    group += (group.empty() ? "" : ", ") + line;
    last = line;
    return Send(line);
  };
  bool ok = true;
  if (settings.frequencyHz) ok = ok && send(":FREQ " + std::to_string(*settings.frequencyHz));
  if (settings.antennaDbm) ok = ok && send(":POW " + FormatLevel(SentLevel(*settings.antennaDbm)));
  if (settings.rfOn) ok = ok && send(std::string(":OUTP ") + (*settings.rfOn ? "ON" : "OFF"));
  if (!ok) return Broken("The generator " + options_.generator + " broke the connection at " + last + ".");
  std::string error;
  const auto done = Query("*OPC?", error);
  if (!done) return Broken(error);
  return CheckErrors(group);
}

// The instrument's own words when it did not take a command: "-222,"Data out of range"".
std::string SignalGenerator::CheckErrors(const std::string& after) {
  std::string error;
  const auto answer = Query(":SYST:ERR?", error);
  if (!answer) return Broken(error);
  if (std::strtol(answer->c_str(), nullptr, 10) == 0) return "";
  Send("*CLS");
  return "The generator " + options_.generator + " did not take " + after + ": " + *answer;
}

}  // namespace qxt::instrument
