#pragma once
// The heartbeat of the serial-port owner: a precise 50 ms timer that runs its tick while the
// owner has it enabled.

#include <QObject>
#include <QTimer>

#include "link/frmCom.h"

namespace qxt::app {

class ComTimer : public QObject {
  Q_OBJECT

 public:
  explicit ComTimer(link::frmCom& com, QObject* parent = nullptr);
  void start() { timer_.start(); }
  void stop() { timer_.stop(); }

 private:
  void onTimeout();

  link::frmCom& com_;
  QTimer timer_;
};

}  // namespace qxt::app
