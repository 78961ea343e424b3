#pragma once
// SCPI over liblxi: a raw TCP socket or VXI-11. liblxi has two habits this class covers: in raw
// mode its connect does not check that anybody listens (the first send to a dead port raises
// SIGPIPE, which is ignored here process-wide, so it comes back as an error), and its receive
// hands over what has arrived so far, so lines are assembled here until their LF. A VXI-11
// answer comes whole and may lack the LF.

#include "instrument/ScpiTransport.h"

namespace qxt::instrument {

class LxiTransport : public ScpiTransport {
 public:
  LxiTransport() = default;
  ~LxiTransport() override { Close(); }
  LxiTransport(const LxiTransport&) = delete;
  LxiTransport& operator=(const LxiTransport&) = delete;

  std::string Open(const VisaResource& resource, int timeoutMs) override;
  bool Send(const std::string& line, int timeoutMs) override;
  std::optional<std::string> Receive(int timeoutMs) override;
  void Close() override;

 private:
  std::optional<std::string> TakeLine();

  int device_ = -1;
  bool vxi11_ = false;
  std::string pending_;
};

}  // namespace qxt::instrument
