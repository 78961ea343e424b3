#pragma once
// The serial port as the link needs it: open with a device and a bit rate (always 8 data bits,
// no parity, 1 stop bit, DTR and RTS on), close, discard output, count and take input, write a
// byte array, count bytes still to write, and notifications. The Qt adapter stands behind it in
// the program, a fake in the tests.

#include <cstdint>
#include <string>

#include "common/Bytes.h"

namespace qxt::link {

class SerialPortListener {
 public:
  virtual ~SerialPortListener() = default;
  virtual void onReceived() = 0;
  // More bytes wait than the receive buffer holds.
  virtual void onOverflow() = 0;
  // Framing, parity, break and similar faults of the line.
  virtual void onLineError() = 0;
  // The device went away while open (a USB adapter pulled, the far end of a pty closed).
  virtual void onDeviceLost() = 0;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // False when the device cannot be opened; errorText() then says why.
  virtual bool open(const std::string& device, int32_t baud, int32_t inBufferSize) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual void discardOutput() = 0;
  virtual int32_t bytesAvailable() const = 0;
  virtual Bytes takeInput() = 0;
  virtual void write(const Bytes& data) = 0;
  virtual int32_t bytesToWrite() const = 0;
  virtual std::string errorText() const = 0;

  void setListener(SerialPortListener* listener) { listener_ = listener; }

 protected:
  SerialPortListener* listener_ = nullptr;
};

}  // namespace qxt::link
