#pragma once
// Drives the program the way the shell does: the Qt event loop delivers port notifications and
// the program's own 50 ms timer.
#include <QCoreApplication>
#include <functional>

#include "support/RunUntil.h"

namespace qxt::test {

// The event loop, a turn of at most 5 ms at a time, until done or guardMs have passed.
inline bool RunEventsUntil(const std::function<bool()>& done, int guardMs = 60000) {
  return RunUntil(
      done, [] { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5); }, TimeLimit(guardMs));
}

// Lets time pass on the real clock.
inline void RunEventsFor(int ms) {
  TimeLimit over(ms);
  RunEventsUntil([&] { return over(); }, ms + 1000);
}

}  // namespace qxt::test
