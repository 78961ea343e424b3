#pragma once
// Drives the program the way the shell does: the Qt event loop delivers port notifications,
// and a tick runs every 50 ms. Waiting gives up after a generous guard so a fault cannot hang.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

#include "link/frmCom.h"

namespace qxt::test {

inline bool RunTicksUntil(link::frmCom& com, const std::function<bool()>& done, int guardMs = 60000) {
  QElapsedTimer guard, tick;
  guard.start();
  tick.start();
  while (!done()) {
    if (guard.elapsed() > guardMs) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (tick.elapsed() >= link::frmCom::kTimerInterval) {
      tick.restart();
      com.timSolid_Timer();
    }
  }
  return true;
}

// Lets time pass on the real clock while ticking.
inline void RunTicksFor(link::frmCom& com, int ms) {
  QElapsedTimer t;
  t.start();
  RunTicksUntil(
      com, [&] { return t.elapsed() >= ms; }, ms + 1000);
}

}  // namespace qxt::test
