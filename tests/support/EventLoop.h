#pragma once
// Drives the program the way the shell does: the Qt event loop delivers port notifications,
// and a tick runs every 50 ms of real time.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

#include "link/frmCom.h"
#include "support/RunUntil.h"

namespace qxt::test {

// One turn of the event loop (at most 5 ms), and the heartbeat when 50 ms have passed.
class EventLoopTicks {
 public:
  explicit EventLoopTicks(link::frmCom* com) : com_(com) { tick_.start(); }
  void operator()() {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (com_ != nullptr && tick_.elapsed() >= link::frmCom::kTimerInterval) {
      tick_.restart();
      com_->timSolid_Timer();
    }
  }

 private:
  link::frmCom* com_;
  QElapsedTimer tick_;
};

// Ticks the port owner by hand (no timer of its own) until done, giving up after guardMs.
inline bool RunTicksUntil(link::frmCom& com, const std::function<bool()>& done, int guardMs = 60000) {
  return RunUntil(done, EventLoopTicks(&com), TimeLimit(guardMs));
}

// The event loop alone, for a program whose own timer ticks it.
inline bool RunEventsUntil(const std::function<bool()>& done, int guardMs = 60000) {
  return RunUntil(done, EventLoopTicks(nullptr), TimeLimit(guardMs));
}

// Lets time pass on the real clock.
inline void RunEventsFor(int ms) {
  TimeLimit over(ms);
  RunEventsUntil([&] { return over(); }, ms + 1000);
}

}  // namespace qxt::test
