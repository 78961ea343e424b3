#pragma once
// What the frame driver needs of the port's owner.

#include <cstdint>

#include "common/Bytes.h"

namespace qxt::link {

class DriverPort {
 public:
  virtual ~DriverPort() = default;
  virtual bool comSendEnable() const = 0;
  virtual int32_t OutBufferSize() const = 0;
  virtual int32_t OutBufferCount() const = 0;
  virtual void Output(const Bytes& data) = 0;
};

}  // namespace qxt::link
