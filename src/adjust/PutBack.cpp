#include "adjust/PutBack.h"

#include "common/Common.h"

namespace qxt::adjust {

void PutBack::Add(int16_t command, int32_t address, uint8_t value, int32_t waitMs, std::string what,
                  record::SendReason why) {
  pending_.push_back({command, address, value, waitMs, std::move(what), why});
}

int32_t PutBack::SendNext() {
  if (pending_.empty()) return 0;
  const Pending p = pending_.front();
  pending_.pop_front();
  inFlight_ = p;
  sender_.Reason(p.why);
  sender_.easySendE8NoAnswer(common::LiveCommandText(p.command, p.value));
  if (p.address >= 0) image_.WriteByte(p.address, p.value);
  return p.waitMs;
}

std::vector<std::string> PutBack::Drop() {
  std::vector<std::string> names;
  if (inFlight_) names.push_back(inFlight_->what);
  for (const Pending& p : pending_) names.push_back(p.what);
  pending_.clear();
  inFlight_.reset();
  return names;
}

}  // namespace qxt::adjust
