#pragma once
// One connection to an instrument that takes SCPI lines: a line out, a line back, each within
// a time-out. The liblxi connection stands behind it in the program; tests may plug their own.

#include <optional>
#include <string>

#include "instrument/VisaResource.h"

namespace qxt::instrument {

class ScpiTransport {
 public:
  virtual ~ScpiTransport() = default;
  // "" when connected, else why not.
  virtual std::string Open(const VisaResource& resource, int timeoutMs) = 0;
  // Sends line with its LF; false when the connection is broken.
  virtual bool Send(const std::string& line, int timeoutMs) = 0;
  // The next answer line without its LF; nullopt when none came in time or the connection broke.
  virtual std::optional<std::string> Receive(int timeoutMs) = 0;
  virtual void Close() = 0;
};

}  // namespace qxt::instrument
