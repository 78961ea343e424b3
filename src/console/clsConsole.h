#pragma once
// The technician's console: an ordered list of adjustment items, each one line of a list box
// ("   Title: 123 [##########----------]"). Key presses only change values and raise flags;
// the adjustment task later sends changed items and runs flagged Enter actions, so exactly one
// exchange with the transceiver is under way at a time.
//
// Every index-taking member expects 0 <= index < ListCount; any other index reads as a fresh
// item and changes nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "common/ListBoxView.h"
#include "console/ConsoleEvents.h"
#include "console/ConsoleItem.h"
#include "link/LiveSender.h"
#include "memory/clsCmcEeprom.h"

namespace qxt::console {

class clsConsole {
 public:
  static constexpr int16_t kBarLength = 20;

  // The four links: the list box that shows the items, the event target, the sender of live
  // commands and the EEPROM image, all owned elsewhere.
  clsConsole(common::ListBoxView& listBox, ConsoleEvents& eventClass, link::LiveSender& cln3Seq,
             memory::clsCmcEeprom& eeprom)
      : myListBox_(listBox), myEventClass_(eventClass), myCln3Seq_(cln3Seq), myEeprom_(eeprom) {}
  clsConsole(const clsConsole&) = delete;
  clsConsole& operator=(const clsConsole&) = delete;

  void Clear();
  void AddItem();
  int16_t ListCount() const { return static_cast<int16_t>(items_.size()); }

  const std::string& Title(int16_t i) const { return Item(i).Title; }
  void Title(int16_t i, const std::string& v);
  int16_t Value(int16_t i) const { return Item(i).Value; }
  // Brings the value into Min..Max, redraws when it changed, and always flags the item changed.
  void Value(int16_t i, int32_t v);
  int16_t Min(int16_t i) const { return Item(i).Min; }
  void Min(int16_t i, int16_t v);
  int16_t Max(int16_t i) const { return Item(i).Max; }
  void Max(int16_t i, int16_t v);

  bool BarExist(int16_t i) const { return Item(i).BarExist; }
  void BarExist(int16_t i, bool v) { Store(i, &ConsoleItem::BarExist, v); }
  bool LoopVal(int16_t i) const { return Item(i).LoopVal; }
  void LoopVal(int16_t i, bool v) { Store(i, &ConsoleItem::LoopVal, v); }
  int32_t WaitAfterE8(int16_t i) const { return Item(i).WaitAfterE8; }
  void WaitAfterE8(int16_t i, int32_t v) { Store(i, &ConsoleItem::WaitAfterE8, v); }
  int32_t EeAdr(int16_t i) const { return Item(i).EeAdr; }
  void EeAdr(int16_t i, int32_t v) { Store(i, &ConsoleItem::EeAdr, v); }
  bool EeDataSigned(int16_t i) const { return Item(i).EeDataSigned; }
  void EeDataSigned(int16_t i, bool v) { Store(i, &ConsoleItem::EeDataSigned, v); }
  int16_t E8Command(int16_t i) const { return Item(i).E8Command; }
  void E8Command(int16_t i, int16_t v) { Store(i, &ConsoleItem::E8Command, v); }
  int16_t Event_Disp(int16_t i) const { return Item(i).Event_Disp; }
  void Event_Disp(int16_t i, int16_t v);
  int16_t Event_Changed(int16_t i) const { return Item(i).Event_Changed; }
  void Event_Changed(int16_t i, int16_t v) { Store(i, &ConsoleItem::Event_Changed, v); }
  int16_t Event_SendE8(int16_t i) const { return Item(i).Event_SendE8; }
  void Event_SendE8(int16_t i, int16_t v) { Store(i, &ConsoleItem::Event_SendE8, v); }
  int16_t Event_Enter(int16_t i) const { return Item(i).Event_Enter; }
  void Event_Enter(int16_t i, int16_t v) { Store(i, &ConsoleItem::Event_Enter, v); }
  bool flgChanged(int16_t i) const { return Item(i).flgChanged; }
  void flgChanged(int16_t i, bool v);
  bool flgEnterOn(int16_t i) const { return Item(i).flgEnterOn; }
  // Setting it clears it on every other item: one Enter waits at a time.
  void flgEnterOn(int16_t i, bool v);

  // Rendering.
  void Disp(int16_t i);
  std::string DefaultString(int16_t i) const;
  std::string BarString(int16_t i) const;

  // Item actions.
  void UpDown(int16_t i, int16_t stp);
  void ReadFromEe(int16_t i);
  void WriteToEe(int16_t i);
  void SendE8(int16_t i);
  void EnterPushed(int16_t i) { flgEnterOn(i, true); }
  void EnterExec(int16_t i);

 private:
  bool Valid(int16_t i) const { return i >= 0 && i < ListCount(); }
  const ConsoleItem& Item(int16_t i) const;
  template <class T>
  void Store(int16_t i, T ConsoleItem::*field, T v) {
    if (Valid(i)) items_[static_cast<size_t>(i)].*field = v;
  }
  void SetLimit(int16_t i, int16_t ConsoleItem::*limit, int16_t v);
  void LimitValue(int16_t i);

  common::ListBoxView& myListBox_;
  ConsoleEvents& myEventClass_;
  link::LiveSender& myCln3Seq_;
  memory::clsCmcEeprom& myEeprom_;
  std::vector<ConsoleItem> items_;
  int16_t barLength_ = kBarLength;
};

}  // namespace qxt::console
