#include "console/clsConsole.h"

#include <algorithm>
#include <cmath>

#include "common/Common.h"

namespace qxt::console {

const ConsoleItem& clsConsole::Item(int16_t i) const {
  static const ConsoleItem fresh;
  return Valid(i) ? items_[static_cast<size_t>(i)] : fresh;
}

void clsConsole::Clear() {
  items_.clear();
  barLength_ = kBarLength;
  myListBox_.clear();
}

void clsConsole::AddItem() {
  items_.emplace_back();
  while (myListBox_.count() < ListCount()) myListBox_.addLine("");
  Disp(static_cast<int16_t>(ListCount() - 1));
}

void clsConsole::Title(int16_t i, const std::string& v) {
  if (!Valid(i)) return;
  items_[static_cast<size_t>(i)].Title = v;
  Disp(i);
}

void clsConsole::Value(int16_t i, int32_t v) {
  if (!Valid(i)) return;
  ConsoleItem& item = items_[static_cast<size_t>(i)];
  const int16_t old = item.Value;
  const auto limited = static_cast<int16_t>(std::clamp<int32_t>(v, item.Min, item.Max));
  item.Value = limited;
  if (limited != v) Disp(i);
  if (limited != old) Disp(i);
  item.flgChanged = true;
}

void clsConsole::Min(int16_t i, int16_t v) { SetLimit(i, &ConsoleItem::Min, v); }

void clsConsole::Max(int16_t i, int16_t v) { SetLimit(i, &ConsoleItem::Max, v); }

// The other limit moves onto the one just set when they would cross.
void clsConsole::SetLimit(int16_t i, int16_t ConsoleItem::*limit, int16_t v) {
  if (!Valid(i)) return;
  ConsoleItem& item = items_[static_cast<size_t>(i)];
  item.*limit = v;
  if (item.Max < item.Min) (limit == &ConsoleItem::Min ? item.Max : item.Min) = v;
  LimitValue(i);
  Disp(i);
}

void clsConsole::LimitValue(int16_t i) {
  ConsoleItem& item = items_[static_cast<size_t>(i)];
  const int16_t before = item.Value;
  if (item.Value < item.Min) item.Value = item.Min;
  if (item.Value > item.Max) item.Value = item.Max;
  if (item.Value != before) Disp(i);
}

void clsConsole::Event_Disp(int16_t i, int16_t v) {
  if (!Valid(i)) return;
  items_[static_cast<size_t>(i)].Event_Disp = v;
  Disp(i);
}

void clsConsole::flgChanged(int16_t i, bool v) {
  if (!Valid(i)) return;
  items_[static_cast<size_t>(i)].flgChanged = v;
  if (v) {
    LimitValue(i);
    Disp(i);
  }
}

void clsConsole::flgEnterOn(int16_t i, bool v) {
  if (!Valid(i)) return;
  if (v) {
    for (auto& item : items_) item.flgEnterOn = false;
  }
  items_[static_cast<size_t>(i)].flgEnterOn = v;
}

void clsConsole::Disp(int16_t i) {
  if (!Valid(i)) return;
  const ConsoleItem& item = items_[static_cast<size_t>(i)];
  const std::string text =
      item.Event_Disp < 0 ? DefaultString(i) : myEventClass_.ConsEv_Disp(*this, i, item.Event_Disp, item.Value);
  if (i < myListBox_.count()) myListBox_.replaceLine(i, text);
}

std::string clsConsole::DefaultString(int16_t i) const {
  const ConsoleItem& item = Item(i);
  std::string value = "   " + std::to_string(item.Value);
  return item.Title + ":" + value.substr(value.size() - 4) + (item.BarExist ? BarString(i) : "");
}

// n = (Value - Min) x 20 / (Max - Min), rounded half to even. An empty range shows no "#".
std::string clsConsole::BarString(int16_t i) const {
  const ConsoleItem& item = Item(i);
  long n = 0;
  if (item.Max > item.Min) {
    const double share = static_cast<double>((item.Value - item.Min) * barLength_) / (item.Max - item.Min);
    n = std::clamp<long>(std::lrint(share), 0, barLength_);
  }
  return " [" + std::string(static_cast<size_t>(n), '#') + std::string(static_cast<size_t>(barLength_ - n), '-') + "]";
}

void clsConsole::UpDown(int16_t i, int16_t stp) {
  if (!Valid(i)) return;
  const ConsoleItem& item = items_[static_cast<size_t>(i)];
  int32_t next = item.Value + stp;
  if (item.LoopVal && item.Value >= item.Max && stp > 0) {
    next = item.Min;
  } else if (item.LoopVal && item.Value <= item.Min && stp < 0) {
    next = item.Max;
  }
  Value(i, next);
}

void clsConsole::ReadFromEe(int16_t i) {
  if (!Valid(i) || EeAdr(i) < 0) return;
  int32_t b = myEeprom_.ReadByte(EeAdr(i));
  if (EeDataSigned(i) && b >= 128) b -= 256;
  Value(i, b);
}

void clsConsole::WriteToEe(int16_t i) {
  if (!Valid(i) || EeAdr(i) < 0) return;
  myEeprom_.WriteByte(EeAdr(i), static_cast<uint8_t>(Value(i) & 255));
}

void clsConsole::SendE8(int16_t i) {
  if (!Valid(i)) return;
  const ConsoleItem& item = items_[static_cast<size_t>(i)];
  if (item.Event_SendE8 >= 0) {
    myEventClass_.ConsEv_SendE8(*this, i, item.Event_SendE8, item.Value);
  } else if (item.E8Command >= 0) {
    myCln3Seq_.Send({static_cast<uint8_t>(item.E8Command), static_cast<uint8_t>(item.Value & 255), std::nullopt});
    myEventClass_.WaitE8Required(item.WaitAfterE8);
  }
  WriteToEe(i);
}

void clsConsole::EnterExec(int16_t i) {
  if (!Valid(i) || Event_Enter(i) < 0) return;
  myEventClass_.ConsEv_Enter(*this, i, Event_Enter(i), Value(i));
  Disp(i);
}

}  // namespace qxt::console
