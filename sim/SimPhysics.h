#pragma once
// What the simulated radio measures on its A/D channels, from its live settings and the bench:
//   0  supply voltage, 10 V full scale
//   3  a thermistor (B 4000, 47 k divider on 5 V) at the ambient temperature
//   4  SD, the signal detector: noise floor plus the antenna signal through both band-pass
//      filters, each with a flat top several steps wide
//   5  LVIN, rising with the RX LVA or TX LVA setting sent last
//   11..19  the D/A outputs of the settings they name

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace qxt::sim {

enum class Signal { kOff, kS1, kS3 };

struct Bench {
  double supplyVolts = 7.5;
  double ambientC = 25.0;
  Signal signal = Signal::kS3;
  int t1Centre = 92;
  int t2Centre = 104;
  int plateauHalfWidth = 3;
  // With a generator on the bench its level at the antenna (dBm; nullopt: none arrives) takes
  // the place of signal.
  bool generatorCoupled = false;
  std::optional<double> antennaDbm;
};

// Live settings by command byte, 0..255 each; lastLva is 6 (RX) or 7 (TX).
struct LiveState {
  std::array<int, 256> value{};
  int lastLva = 6;
};

class SimPhysics {
 public:
  uint8_t Read(int channel, const Bench& bench, const LiveState& live) const;

  // The filter response at setting x for a plateau centred at c: 1 on the top, falling off.
  static double FilterResponse(int x, int c, int halfWidth);
  static uint8_t ThermistorRaw(double celsius);
  static uint8_t LvinRaw(int lvaSetting);
  // The SD amplitude of a level at the antenna: -141 dBm (S1) and -129 dBm (S3) give what the
  // bench's s1 and s3 give, about 9 counts per dB between, limited at the top.
  static double LevelAmplitude(std::optional<double> dbm);
};

bool ParseSignal(const std::string& text, Signal& out);
const char* SignalName(Signal s);

}  // namespace qxt::sim
