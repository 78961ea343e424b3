#include "app/ComTimer.h"

ComTimer::ComTimer(frmCom& com, QObject* parent) : QObject(parent), com_(com) {
  timer_.setInterval(frmCom::kTimerInterval);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &ComTimer::onTimeout);
}

void ComTimer::onTimeout() {
  if (com_.timSolidEnabled()) com_.timSolid_Timer();
}
