#include "adjust/Procedures.h"

namespace qxt::adjust {

bool Procedures::Step() {
  if (!running()) return true;
  if (steps_.ctx().SequencerRunning()) return false;
  if (IsRssi(actState())) return rssi_.Step();
  if (IsBpf(actState())) return bpf_.Step();
  if (IsLva(actState())) return lva_.Step();
  return true;
}

void Procedures::Abort() {
  if (IsRssi(actState()) || IsBpf(actState())) steps_.ctx().Generator().RfOff();
  if (IsRssi(actState())) rssi_.Abort();
  if (IsBpf(actState())) bpf_.Abort();
  if (IsLva(actState())) lva_.Abort();
  steps_.Next(ActState::kNone);
}

}  // namespace qxt::adjust
