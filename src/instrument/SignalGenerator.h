#pragma once
// A bench signal generator spoken to in the plain SCPI every generator takes, one command a line:
//   *IDN?            who it is (asked at every connection, which also proves somebody answers)
//   *CLS             clears its error queue after connecting
//   :FREQ <Hz>       the CW frequency
//   :POW <dBm>       the level at its output
//   :OUTP ON|OFF     RF on or off
//   *OPC?            after a group of settings: answers 1 once they are made
//   :SYST:ERR?       after each group: 0,"No error" or the first error in its queue
// Never *RST: that would throw away the shop's own set-up of the instrument. Levels are asked for
// at the antenna; the cable loss is added before sending and a level above MaxLevel is refused
// without anything being sent.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "instrument/BenchOptions.h"
#include "instrument/ScpiTransport.h"
#include "instrument/VisaResource.h"

namespace qxt::instrument {

// One group of settings; what is not given is left as it is. RF on goes out after the frequency
// and level, so the receiver never sees a wrong signal.
struct GeneratorSettings {
  std::optional<int64_t> frequencyHz;
  std::optional<double> antennaDbm;
  std::optional<bool> rfOn;
};

class SignalGenerator {
 public:
  SignalGenerator(ScpiTransport& transport, BenchOptions options);

  // Connects (if not connected) and makes the settings; "" when done, else the message.
  std::string Apply(const GeneratorSettings& settings);
  // Connects and asks who it is; "" when it answered.
  std::string Connect();
  void Disconnect();

  bool connected() const { return connected_; }
  // The *IDN? answer of the last connection.
  const std::string& identity() const { return identity_; }
  // The level sent for a level at the antenna.
  double SentLevel(double antennaDbm) const { return antennaDbm + options_.cableLoss; }
  // Refusal text when the level at the antenna would need more than MaxLevel, else "".
  std::string CheckLevel(double antennaDbm) const;
  // The lines sent since the last call.
  std::vector<std::string> TakeSent();

 private:
  bool Send(const std::string& line);
  std::optional<std::string> Query(const std::string& line, std::string& error);
  std::string CheckErrors(const std::string& after);
  std::string Broken(const std::string& error);

  ScpiTransport& transport_;
  BenchOptions options_;
  std::optional<VisaResource> resource_;
  bool connected_ = false;
  std::string identity_;
  std::vector<std::string> sent_;
};

}  // namespace qxt::instrument
