#pragma once
// The simulator's end of the cable: a pseudo-terminal whose slave the program opens. Both ends
// are raw, and the simulator keeps its own slave descriptor open so the master never reports a
// hang-up while the program has the port closed. What the radio sends waits in a queue: the
// cable's echo goes ahead of answers not yet started, answers wait out their delay, and with a
// bit rate set every byte takes its 10 bit times on the wire.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "sim/SimRadio.h"

namespace qxt::sim {

class SimLine {
 public:
  // baud 0: as fast as the pseudo-terminal takes the bytes.
  SimLine(int baud, std::string linkPath);
  ~SimLine();
  SimLine(const SimLine&) = delete;
  SimLine& operator=(const SimLine&) = delete;

  bool Open();
  const std::string& path() const { return path_; }
  int masterFd() const { return master_; }

  void Queue(std::vector<Output> outputs, int64_t nowNs);
  // Writes what is due. Returns the nanoseconds until more is due, or -1 when nothing waits.
  // hungUp is set when the line was hung up (and a new pseudo-terminal opened).
  int64_t Flush(int64_t nowNs, bool& hungUp);
  bool blocked() const { return blocked_; }

  static int64_t NowNs();

 private:
  struct Pending {
    Bytes bytes;
    size_t sent = 0;
    int64_t notBeforeNs = 0;
    bool echo = false;
    bool hangUpAfter = false;
  };

  void CloseFds();
  void HangUp();
  void UpdateLink();

  int64_t byteNs_;
  std::string linkPath_;
  std::string path_;
  int master_ = -1;
  int slave_ = -1;
  std::deque<Pending> queue_;
  int64_t wireFreeNs_ = 0;
  bool blocked_ = false;
};

}  // namespace qxt::sim
