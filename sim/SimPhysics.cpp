#include "sim/SimPhysics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qxt::sim {

namespace {

uint8_t ToRaw(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

double SignalAmplitude(Signal s) {
  switch (s) {
    case Signal::kS1:
      return 70.0;
    case Signal::kS3:
      return 180.0;
    case Signal::kOff:
      break;
  }
  return 0.0;
}

// A/D channel of a D/A output -> the live command whose setting drives it.
int CommandOfChannel(int channel) {
  switch (channel) {
    case 11:
      return 0x0F;  // CTCSS
    case 12:
      return 0x05;  // REF
    case 13:
      return 0x11;  // BAL
    case 14:
      return 0x0D;  // MOD (deviation)
    case 15:
      return 0x08;  // SQL
    case 16:
      return 0x13;  // BPF T1
    case 17:
      return 0x14;  // BPF T2
    case 18:
      return 0x07;  // TX LVA
    case 19:
      return 0x06;  // RX LVA
    default:
      return -1;
  }
}

}  // namespace

double SimPhysics::FilterResponse(int x, int c, int halfWidth) {
  int off = std::abs(x - c) - halfWidth;
  if (off <= 0) return 1.0;
  return std::max(0.25, 1.0 - off / 30.0);
}

uint8_t SimPhysics::ThermistorRaw(double celsius) {
  double kelvin = celsius + 273.15;
  double r = std::exp(4000.0 * (1.0 / kelvin - 1.0 / 298.15));
  double volts = 500000.0 / (47000.0 * r + 100000.0);
  return ToRaw(volts * 255.0 / 5.0);
}

double SimPhysics::LevelAmplitude(std::optional<double> dbm) {
  if (!dbm) return 0.0;
  return std::clamp(70.0 + (*dbm + 141.0) * 110.0 / 12.0, 0.0, 230.0);
}

uint8_t SimPhysics::LvinRaw(int lvaSetting) { return ToRaw(20.0 + 0.8 * lvaSetting); }

uint8_t SimPhysics::Read(int channel, const Bench& bench, const LiveState& live) const {
  switch (channel) {
    case 0:
      return ToRaw(bench.supplyVolts * 255.0 / 10.0);
    case 3:
      return ThermistorRaw(bench.ambientC);
    case 4: {
      double r1 = FilterResponse(live.value[0x13], bench.t1Centre, bench.plateauHalfWidth);
      double r2 = FilterResponse(live.value[0x14], bench.t2Centre, bench.plateauHalfWidth);
      const double amplitude =
          bench.generatorCoupled ? LevelAmplitude(bench.antennaDbm) : SignalAmplitude(bench.signal);
      return ToRaw(12.0 + amplitude * r1 * r2);
    }
    case 5:
      return LvinRaw(live.value[live.lastLva]);
    default:
      break;
  }
  int cmd = CommandOfChannel(channel);
  return cmd < 0 ? 0 : static_cast<uint8_t>(live.value[cmd]);
}

bool ParseSignal(const std::string& text, Signal& out) {
  if (text == "s1")
    out = Signal::kS1;
  else if (text == "s3")
    out = Signal::kS3;
  else if (text == "off")
    out = Signal::kOff;
  else
    return false;
  return true;
}

const char* SignalName(Signal s) {
  switch (s) {
    case Signal::kS1:
      return "s1";
    case Signal::kS3:
      return "s3";
    case Signal::kOff:
      break;
  }
  return "off";
}

}  // namespace qxt::sim
