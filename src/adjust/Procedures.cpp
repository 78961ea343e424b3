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

void Procedures::Enter(EnterEvent event, int16_t line, const std::function<void()>& cancelOthers) {
  const ActState act = actState();
  switch (event) {
    case EnterEvent::kRssi:
      if (IsRssi(act)) {
        ConfirmRssi();
        return;
      }
      cancelOthers();
      StartRssi();
      return;
    case EnterEvent::kBpfT1:
    case EnterEvent::kBpfT2:
    case EnterEvent::kBpfAll:
      if (IsBpf(act)) return;
      cancelOthers();
      StartBpf({event != EnterEvent::kBpfT2, event != EnterEvent::kBpfT1}, event == EnterEvent::kBpfAll, line);
      return;
    case EnterEvent::kRxLva:
    case EnterEvent::kTxLva:
      if (IsLva(act)) return;
      cancelOthers();
      StartLva(event == EnterEvent::kRxLva ? 0 : 1);
      return;
  }
}

}  // namespace qxt::adjust
