#include "app/ComTimer.h"

namespace qxt::app {

ComTimer::ComTimer(link::frmCom& com, QObject* parent) : QObject(parent), com_(com) {
  timer_.setInterval(link::frmCom::kTimerInterval);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &ComTimer::onTimeout);
}

void ComTimer::onTimeout() {
  if (com_.timSolidEnabled()) com_.timSolid_Timer();
}

}  // namespace qxt::app
