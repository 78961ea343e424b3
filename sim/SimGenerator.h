#pragma once
// A simulated bench signal generator that takes SCPI lines (several on a line separated by ";"):
//   *IDN? *CLS *OPC? *RST
//   [:SOURce]:FREQuency[:CW|:FIXed] <n>[HZ|KHZ|MHZ|GHZ]   and  ...?
//   [:SOURce]:POWer[:LEVel][:IMMediate][:AMPLitude] <n>[DBM]   and  ...?
//   :OUTPut[:STATe] ON|OFF|1|0   and  ...?
//   :OUTPut:MODulation[:STATe] ON|OFF  (accepted, for a shop's Setup line)
//   :SYSTem:ERRor[:NEXT]?  the oldest error of its queue, or 0,"No error"
// Short and long mnemonics, any case. A level outside its range (-145 to +13 dBm unless told
// otherwise) is refused with -222. What reaches the simulated radio's antenna is the level with
// RF on, when the carrier is within a channel's bandwidth of the frequency the radio listens on.
// It is used from the SCPI server's thread and the radio's, hence the lock.

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qxt::sim {

class SimGenerator {
 public:
  static constexpr const char* kIdentity = "QXT-SIM,SG-1,0001,1.0";

  // The answer to one line, "" when it asks nothing (each answer ends with LF when sent).
  std::string Handle(const std::string& line);

  // The level at the antenna for a receiver on rxHz with that channel bandwidth, or nullopt.
  std::optional<double> AntennaLevel(int64_t rxHz, int64_t bandwidthHz) const;

  // Bench settings (the simulator's standard-input commands).
  void minLevel(double dbm);
  void replyDelayMs(int ms);
  int replyDelayMs() const;
  std::string Status() const;
  // Every command taken, in order (for tests and the simulator's log).
  std::vector<std::string> History() const;

 private:
  std::string Command(const std::string& command);
  void Error(const std::string& text);

  mutable std::mutex mutex_;
  double frequencyHz_ = 100e6;
  double levelDbm_ = -130.0;
  bool rfOn_ = false;
  double minLevel_ = -145.0;
  double maxLevel_ = 13.0;
  int replyDelayMs_ = 0;
  std::deque<std::string> errors_;
  std::vector<std::string> history_;
};

}  // namespace qxt::sim
