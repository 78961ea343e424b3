#pragma once
// What the sequencer asks of the radio's operations (clsIndOp_RigK70R) while it identifies a
// transceiver.

#include <string>

namespace qxt::link {

class IdentityHooks {
 public:
  virtual ~IdentityHooks() = default;
  virtual bool RigOpFunc_CheckSubNameLegal(const std::string& nameS) = 0;
  virtual void RigK70ROp_Digital_Option(bool st) = 0;
};

}  // namespace qxt::link
