#pragma once
// The serial port of the program: QSerialPort behind the link's port interface. What arrives is
// taken from Qt in chunks as it comes, and each chunk is announced at once, so the program
// takes it before the next; only bytes the program leaves unread count against the receive
// buffer, so a fast stream is never mistaken for an overflow.

#include <QObject>
#include <QSerialPort>

#include "link/SerialPort.h"

namespace qxt::app {

class QtSerialPort : public QObject, public link::SerialPort {
  Q_OBJECT

 public:
  explicit QtSerialPort(QObject* parent = nullptr);

  bool open(const std::string& device, int32_t baud, int32_t inBufferSize) override;
  void close() override;
  bool isOpen() const override { return port_.isOpen(); }
  void discardOutput() override;
  int32_t bytesAvailable() const override {
    return static_cast<int32_t>(pending_.size() + static_cast<size_t>(port_.bytesAvailable()));
  }
  Bytes takeInput() override;
  void write(const Bytes& data) override;
  int32_t bytesToWrite() const override { return static_cast<int32_t>(port_.bytesToWrite()); }
  std::string errorText() const override { return errorText_; }

 private:
  void onReadyRead();
  void onError(QSerialPort::SerialPortError error);

  QSerialPort port_;
  static constexpr qint64 kChunk = 4096;
  int32_t inBufferSize_ = 32760;
  Bytes pending_;  // taken from Qt, not yet by the program
  std::string errorText_;
  bool lost_ = false;
};

}  // namespace qxt::app
