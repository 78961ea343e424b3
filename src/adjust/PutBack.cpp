#include "adjust/PutBack.h"

#include "common/Translate.h"

#include "common/Common.h"

namespace qxt::adjust {

void PutBack::Add(int16_t command, int32_t address, uint8_t value, int32_t waitMs, std::string what,
                  common::SendReason why) {
  pending_.push_back({command, address, value, waitMs, std::move(what), why});
}

int32_t PutBack::SendNext() {
  if (pending_.empty()) return 0;
  const Pending p = pending_.front();
  pending_.pop_front();
  inFlight_ = p;
  sender_.Send({static_cast<uint8_t>(p.command), p.value, p.why});
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

void PutBack::AddItem(console::clsConsole& console, int16_t item, int16_t value) {
  console.Value(item, value);
  console.flgChanged(item, false);
  std::string title = console.Title(item);
  title.erase(0, title.find_first_not_of(' '));
  Add(console.E8Command(item), console.EeAdr(item), static_cast<uint8_t>(value & 0xFF), console.WaitAfterE8(item),
      title + " " + std::to_string(value));
}

void PutBack::AddRssiPoint(int16_t command, int32_t address, uint8_t value) {
  Add(command, address, value, 0, std::string(address == 0xAA ? "RSSI S3 " : "RSSI S1 ") + std::to_string(value));
}

std::string PutBack::NotPutBack(const std::string& why, const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
  return common::Compose(common::TrNoop("qxt", "Not put back into the radio, %1: %2. Check these values."),
                         {why, list});
}

}  // namespace qxt::adjust
