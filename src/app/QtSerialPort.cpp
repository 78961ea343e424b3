#include "app/QtSerialPort.h"

#include <sys/stat.h>

#include <algorithm>

namespace qxt::app {

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
  connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

bool QtSerialPort::open(const std::string& device, int32_t baud, int32_t inBufferSize) {
  if (port_.isOpen()) port_.close();
  inBufferSize_ = inBufferSize;
  lost_ = false;
  errorText_.clear();
  // A link left by a program that is gone may point at anything now: only a character device is
  // a serial port.
  struct stat st {};
  if (::stat(device.c_str(), &st) == 0 && !S_ISCHR(st.st_mode)) {
    errorText_ = "not a serial device";
    return false;
  }
  port_.setPortName(QString::fromStdString(device));
  // Qt keeps reading however much waits; more than the receive buffer holds is our overflow.
  port_.setReadBufferSize(0);
  if (!port_.open(QIODevice::ReadWrite)) {
    switch (port_.error()) {
      case QSerialPort::DeviceNotFoundError:
        errorText_ = "no such device";
        break;
      case QSerialPort::PermissionError:
        errorText_ = port_.errorString().contains("lock", Qt::CaseInsensitive) ? "in use by another program"
                                                                               : "permission denied";
        break;
      default:
        errorText_ = port_.errorString().toStdString();
        break;
    }
    port_.clearError();
    return false;
  }
  port_.setBaudRate(baud);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  // The cable draws its power from DTR and RTS; a pseudo-terminal refuses both, harmlessly.
  port_.setDataTerminalReady(true);
  port_.setRequestToSend(true);
  // Whatever a radio sent to an earlier session of this port is not for this one.
  port_.clear(QSerialPort::Input);
  pending_.clear();
  port_.clearError();
  return true;
}

void QtSerialPort::close() {
  if (port_.isOpen()) port_.close();
  pending_.clear();
  port_.clearError();
}

void QtSerialPort::discardOutput() {
  if (port_.isOpen()) port_.clear(QSerialPort::Output);
}

Bytes QtSerialPort::takeInput() {
  const QByteArray rest = port_.readAll();
  pending_.insert(pending_.end(), rest.begin(), rest.end());
  return std::exchange(pending_, Bytes());
}

void QtSerialPort::write(const Bytes& data) {
  if (!port_.isOpen()) return;
  port_.write(reinterpret_cast<const char*>(data.data()), static_cast<qint64>(data.size()));
}

void QtSerialPort::onReadyRead() {
  while (port_.isOpen() && port_.bytesAvailable() > 0) {
    const qint64 room = inBufferSize_ - static_cast<qint64>(pending_.size());
    if (room <= 0) {
      if (listener_ != nullptr) listener_->onOverflow();
      return;
    }
    const QByteArray chunk = port_.read(std::min(kChunk, room));
    pending_.insert(pending_.end(), chunk.begin(), chunk.end());
    if (listener_ != nullptr) listener_->onReceived();
  }
}

// A vanished device makes Qt report read errors in a tight loop until the port is closed, so
// the first read, write or resource error closes it.
void QtSerialPort::onError(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
      if (lost_ || !port_.isOpen()) break;
      lost_ = true;
      // Qt's own error text may still describe an earlier, harmless failure: name the event.
      errorText_ = error == QSerialPort::ReadError    ? "read error"
                   : error == QSerialPort::WriteError ? "write error"
                                                      : "the device went away";
      if (listener_ != nullptr) listener_->onDeviceLost();
      if (port_.isOpen()) port_.close();
      break;
    default:
      break;
  }
}

}  // namespace qxt::app
