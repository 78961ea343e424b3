#include "model/clsIndOp_RigK70R.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "common/Common.h"
#include "common/NumberFormat.h"
#include "model/ImageBackup.h"
#include "model/RigK70RFormLayout.h"
#include "model/RigK70RItemTable.h"

namespace qxt::model {

namespace {

constexpr int16_t kTempBorder[21] = {0,   16,  24,  32,  40,  48,  64,  80,  96,  112, 128,
                                     144, 160, 176, 192, 208, 216, 224, 232, 240, 255};
constexpr int kProgressWidth = 32;

std::string LiveText(int16_t command, int32_t value) {
  return common::ByteToHex2(command) + common::ByteToAsciiHexStr(value);
}

}  // namespace

clsIndOp_RigK70R::clsIndOp_RigK70R(link::clsCmcCln3Sequence& seq, link::frmCom& com, memory::clsCmcRadio& radio,
                                   console::clsConsole& console, MainView& view, const common::TickSource& ticks)
    : seq_(seq), com_(com), radio_(radio), console_(console), view_(view), indEep_(radio), waitTick_(ticks) {
  comPortNo_ = 1;
  RigOpFunc_ResetAll();
  std::copy(std::begin(kTempBorder), std::end(kTempBorder), tempBorder_.begin());
  actions_.lvaFailed.fill(false);
}

void clsIndOp_RigK70R::RigOpFunc_ResetAll() {
  seq_.easyReset(comPortNo_);
  opState_ = 0;
  flgStateEntry_ = true;
  flgParaDisp_ = false;
  readouts_.Reset();
  flgOpError_ = false;
  // An action cut off by a reset must not resume after the next connection.
  actions_.actState = 0;
  RigOpFunc_FormResource();
  console_.myListBox = &view_.lboConsole();
  console_.myEventClass = this;
  console_.myCln3Seq = &seq_;
  console_.myEeprom = &radio_.eepImage();
  console_.Clear();
  AddItems();
}

void clsIndOp_RigK70R::AddItems() {
  for (const ItemSpec& spec : kRigK70RItems) {
    console_.AddItem();
    const auto i = static_cast<int16_t>(console_.ListCount() - 1);
    console_.Title(i, spec.title);
    if (spec.setRange) {
      console_.Min(i, spec.min);
      console_.Max(i, spec.max);
    }
    console_.EeAdr(i, spec.eeAdr);
    console_.EeDataSigned(i, false);
    console_.E8Command(i, spec.e8Command);
    console_.BarExist(i, spec.bar);
    console_.LoopVal(i, spec.loop);
    if (spec.eventDisp >= 0) console_.Event_Disp(i, spec.eventDisp);
    if (spec.eventSendE8 >= 0) console_.Event_SendE8(i, spec.eventSendE8);
    if (spec.eventEnter >= 0) console_.Event_Enter(i, spec.eventEnter);
    switch (spec.role) {
      case ItemRole::kChNo:
        idxChNo_ = i;
        break;
      case ItemRole::kBal:
        idxBal_ = i;
        break;
      case ItemRole::kMod:
        idxMod_ = i;
        break;
      case ItemRole::kBpfSweep:
        idxBpfSweep_ = i;
        break;
      case ItemRole::kBpfT1:
        idx_.bpfT1 = i;
        break;
      case ItemRole::kRxLva:
        idx_.rxLva = i;
        break;
      case ItemRole::kLvRxLva:
        idx_.lvRxLva = i;
        break;
      case ItemRole::kRssi:
        idx_.rssi = i;
        break;
      case ItemRole::kDigMode:
        idxDigMode_ = i;
        break;
      case ItemRole::kLvTxLva:
      case ItemRole::kNone:
        break;
    }
  }
}

int16_t clsIndOp_RigK70R::RigK70ROp_Table_Txf_TempBorder(int16_t Index) const {
  return Index >= 0 && Index < 22 ? tempBorder_[static_cast<size_t>(Index)] : 0;
}

void clsIndOp_RigK70R::RigOpFunc_FormResource() {
  view_.setCaption(Control::kCmd0, "Connect");
  view_.setCaption(Control::kCmd1, "Reload(F5)");
  view_.setCaption(Control::kCmd2, "Disp para");
  const struct {
    int list;
    const char* heading;
    int rows;
  } lists[] = {{0, "[A/D]", 5}, {1, "[D/A]", 9}};
  for (const auto& l : lists) {
    common::ListBoxView& box = view_.lbo01(l.list);
    box.clear();
    box.addLine(l.heading);
    for (int r = 0; r < l.rows; ++r) box.addLine("----");
  }
  view_.setCaption(Control::kLblProgress, std::string(kProgressWidth, ' '));
}

void clsIndOp_RigK70R::RigOpFunc_FormLayout() {
  if (!layoutDone_) {
    layoutDone_ = true;
    view_.setWindowRect(RigK70RFormLayout::FirstWindow(view_.screenWidth(), view_.screenHeight()));
  }
  const TwipsRect title = view_.bounds(Control::kLblTitle);
  const TwipsRect progress = view_.bounds(Control::kLblProgress);
  const LayoutPlan p =
      RigK70RFormLayout::Plan({view_.clientWidth(), view_.clientHeight(), view_.separatorX1(), view_.separatorX2(),
                               view_.separatorY1(), title.width, title.height, progress.width, progress.height});
  const Control buttons[] = {Control::kCmd0, Control::kCmd1, Control::kCmd2};
  for (int i = 0; i < 3; ++i) {
    view_.place(buttons[i], p.cmd[i]);
    view_.appendToTabOrder(buttons[i]);
    view_.setVisible(buttons[i], true);
  }
  view_.place(Control::kFra0, p.fra[0]);
  view_.place(Control::kFra1, p.fra[1]);
  view_.place(Control::kFra3, p.fra[3]);
  view_.place(Control::kFra2, p.fra[2]);
  view_.setBorderless(Control::kFra2);
  view_.setVisible(Control::kFra2, true);
  const std::pair<Control, TwipsRect> inner[] = {{Control::kLbo0, p.lbo[0]},          {Control::kLbo1, p.lbo[1]},
                                                 {Control::kLboConsole, p.console},   {Control::kLblTitle, p.title},
                                                 {Control::kLblProgress, p.progress}, {Control::kTxtDispPara, p.txt}};
  for (const auto& [control, rect] : inner) {
    view_.place(control, rect);
    view_.setVisible(control, true);
  }
  view_.appendToTabOrder(Control::kTxtDispPara);
}

bool clsIndOp_RigK70R::RigOpFunc_CheckSubNameLegal(const std::string& nameS) {
  return nameS.substr(0, 2) <= std::string("0100").substr(0, 2);
}

void clsIndOp_RigK70R::RigOpFunc_SetComPortNo(int16_t portNo) {
  if (portNo == comPortNo_) return;
  comPortNo_ = portNo;
  RigOpFunc_ResetAll();
}

void clsIndOp_RigK70R::RigOpFunc_ClickCmd00(int16_t Index) {
  CancelActions();
  if (Index == 0) {
    RigOpFunc_ResetAll();
    opState_ = 1;
    flgStateEntry_ = true;
  } else if (Index == 1) {
    if (RigK70RProp_EditEnabled()) flgReadoutReq_ = true;
  } else if (Index == 2) {
    if (RigK70RProp_EditEnabled()) {
      flgParaDisp_ = true;
    } else if (RigK70RProp_DispPara()) {
      flgParaDisp_ = false;
    }
  }
}

// ---- console handlers ----

std::string clsIndOp_RigK70R::ConsEv_Disp(console::clsConsole& con, int16_t Index, int16_t evNo, int16_t val) {
  const int16_t act = actions_.actState;
  switch (evNo) {
    case 0:
      return ChannelLine(con, Index, val);
    case 2:
      return con.Title(Index) +
             (RigK70RActions::IsBpf(act) && Index == idxBpfSweep_ ? ": Sweeping" : ": [Enter] to Sweep");
    case 3: {
      if (!RigK70RActions::IsBpf(act)) return con.DefaultString(Index) + " [Enter] to Sweep";
      const int k = Index - idx_.bpfT1;
      const bool selected = k >= 0 && k < 3 && actions_.bpfSel[static_cast<size_t>(k)];
      return con.DefaultString(Index) + (selected ? " Sweeping" : "");
    }
    case 4:
      if (!RigK70RActions::IsRssi(act)) return con.Title(Index) + ": [Enter] to Start";
      return con.Title(Index) + (actions_.flgRssiPhase ? ": RSSI S1 Level " : ": RSSI S3 Level ");
    case 6: {
      const int k = Index - idx_.rxLva;
      const bool inRange = k >= 0 && k < 3;
      if (!RigK70RActions::IsLva(act)) {
        const bool failed = inRange && actions_.lvaFailed[static_cast<size_t>(k)];
        return con.DefaultString(Index) + " [Enter] to Sweep" + (failed ? " (Auto Adjust Failed)" : "");
      }
      return con.DefaultString(Index) + (inRange && actions_.lvaSel[static_cast<size_t>(k)] ? " Sweeping" : "");
    }
    case 7: {
      std::string volts = ": [" + common::FormatNumber(val * 5 / 255.0, "##0.#0V");
      return con.DefaultString(Index) + volts.substr(volts.size() > 7 ? volts.size() - 7 : 0) + "]";
    }
    default:
      return "???";
  }
}

std::string clsIndOp_RigK70R::ChannelLine(console::clsConsole& con, int16_t Index, int16_t val) {
  const int16_t ch = chList(val);
  std::string label = indEep_.RigK70REep_GetChName(ch);
  label.erase(0, label.find_first_not_of(' '));
  if (ch + 1 < 10) label = "0" + label;
  std::string line = con.Title(Index) + ": " + label + " RX = ";
  const int64_t adr = static_cast<int64_t>(ch) * RigK70RFunc_Obj_Size(2) + rxFreqBase_;
  if (indEep_.Check_Inh(static_cast<int32_t>(std::clamp<int64_t>(adr, -1, INT32_MAX))) != 0) {
    line += "Inhibit   ";
  } else {
    line += common::FormatNumber(static_cast<double>(indEep_.RigK70REep_GetChFreqRxReal(rxFreqBase_, ch)) / 1000000.0,
                                 "###0.#####0");
  }
  line += ", Mode:";
  if (!flgDigital_) return line + (indEep_.RigK70REep_GetChMode(chObjAdr_, ch) ? " Narrow" : " Wide");
  switch (indEep_.RigK70REep_GetChModeDig(chObjAdr_, ch)) {
    case 3:
      return line + " Digital";
    case 1:
    case 2:
      return line + " Mixed";
    case 0:
      return line + " Analog";
    default:
      return line;
  }
}

void clsIndOp_RigK70R::ConsEv_SendE8(console::clsConsole& con, int16_t Index, int16_t evNo, int16_t val) {
  if (evNo != 0) return;
  seq_.easySendE8NoAnswer(LiveText(con.E8Command(Index), chList(val) + 1));
}

void clsIndOp_RigK70R::StartAction(int16_t state) {
  CancelActions();
  actions_.actState = state;
}

void clsIndOp_RigK70R::ConsEv_Enter(console::clsConsole&, int16_t Index, int16_t evNo, int16_t) {
  const int16_t act = actions_.actState;
  switch (evNo) {
    case 1:
      if (RigK70RActions::IsRssi(act)) {
        actions_.flgRssiStep = true;
      } else {
        CancelActions();
        actions_.flgRssiPhase = false;
        actions_.actState = 6;
      }
      break;
    case 3:
    case 4:
    case 7:
      if (RigK70RActions::IsBpf(act)) break;
      actions_.flgBpfAll = evNo == 7;
      actions_.bpfSel = {evNo != 4, evNo != 3, false};
      idxBpfSweep_ = Index;
      StartAction(12);
      break;
    case 8:
    case 9:
      if (RigK70RActions::IsLva(act)) break;
      actions_.lvaSel = {evNo == 8, evNo == 9, false};
      StartAction(17);
      break;
    default:
      break;
  }
}

// ---- readouts ----

void clsIndOp_RigK70R::ReadAdGroupA(int16_t index, bool isFirst, bool& done) {
  if (!readouts_.Read(RigK70RReadouts::kGroupA, index, isFirst, done, seq_, com_.cln3D.varLastE8Answer(), radioName_,
                      view_.lbo01(0))) {
    flgOpError_ = true;
  }
}

void clsIndOp_RigK70R::ReadAdGroupB(int16_t index, bool isFirst, bool& done) {
  if (!readouts_.Read(RigK70RReadouts::kGroupB, index, isFirst, done, seq_, com_.cln3D.varLastE8Answer(), radioName_,
                      view_.lbo01(1))) {
    flgOpError_ = true;
  }
}

int16_t clsIndOp_RigK70R::LastAdA(int16_t index) const {
  return readouts_.lastAdA[static_cast<size_t>(std::clamp<int16_t>(index, 0, 5))];
}

void clsIndOp_RigK70R::SendLive(int16_t command, int16_t value) { seq_.easySendE8NoAnswer(LiveText(command, value)); }

// ---- the adjustment task ----

void clsIndOp_RigK70R::task() {
  if (seq_.OpRunning()) {
    if (opState_ == 2) {
      const int32_t end = com_.cln3D.EndAddress();
      const double share = end > 0 ? static_cast<double>(com_.cln3D.lastEeAdr()) / end * 33 : 0;
      ShowProgress(static_cast<int>(std::clamp(std::floor(share), 0.0, 32.0)));
    }
    return;
  }
  if (opState_ >= 3 && opState_ <= 9) ShowProgress(static_cast<int>(std::floor((opState_ - 2) / 7.0 * 32)));
  if (waitE8_ > 0) {
    waitTick_.counter(waitE8_);
    waitE8_ = 0;
  }
  if (waitTick_.counter() > 0) return;
  for (;;) {
    int16_t next = static_cast<int16_t>((opState_ + 1) % 30);
    const bool advance = RunState(next);
    if (advance) opState_ = next;
    flgStateEntry_ = advance;
    if (flgOpError_) {
      if (main_ != nullptr) main_->MsgBoxCloneErr(seq_);
      RigOpFunc_ResetAll();
      break;
    }
    if (!advance || opState_ == 28 || seq_.OpRunning()) break;
  }
  RefreshPanels();
}

void clsIndOp_RigK70R::ShowProgress(int n) {
  n = std::clamp(n, 0, kProgressWidth);
  view_.setCaption(Control::kLblProgress, std::string(static_cast<size_t>(n), 'o') +
                                              std::string(static_cast<size_t>(kProgressWidth - n), '.'));
}

// The work of the current state; returns whether it advances (next may be changed).
bool clsIndOp_RigK70R::RunState(int16_t& next) {
  bool advance = false;
  switch (opState_) {
    case 1:
      return true;
    case 2:
      if (flgStateEntry_) {
        seq_.easyCloneRead();
        return false;
      }
      Interpret();
      return true;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
      ReadAdGroupA(static_cast<int16_t>(opState_ - 3), flgStateEntry_, advance);
      return advance;
    case 8:
      SendLive(0x02, 1);
      return true;
    case 9:
    case 25:
      return LiveUpdate();
    case 10:
      flgReadoutOn_ = flgReadoutReq_;
      flgReadoutReq_ = false;
      return true;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
      if (!flgReadoutOn_) return true;
      ReadAdGroupA(static_cast<int16_t>(opState_ - 11), flgStateEntry_, advance);
      return advance;
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
    case 22:
    case 23:
    case 24:
      if (!flgReadoutOn_) return true;
      ReadAdGroupB(static_cast<int16_t>(opState_ - 16), flgStateEntry_, advance);
      return advance;
    case 26:
      EnterDispatch();
      return true;
    case 27:
      return RunAction();
    case 28:
      if (flgParaDisp_) {
        CancelActions();
        next = 29;
      } else {
        next = 10;
      }
      return true;
    case 29:
      if (flgStateEntry_) indEep_.RigK70REep_DispPara(view_.txtDispPara());
      if (flgParaDisp_) return false;
      next = 28;
      view_.setFocus(Control::kCmd2);
      return true;
    default:
      return false;
  }
}

void clsIndOp_RigK70R::Interpret() {
  console_.Value(idxDigMode_, 1);
  radioName_ = common::HexStrToByteStr(radio_.radioNameM() + radio_.radionameS());
  indEep_.RigK70REep_SetCommonAddress(RigK70RFunc_Obj_Address(6));
  flgMid_ = indEep_.RigK70REep_GetMid();
  // No item of the table holds the role linked to MOD, so no MOD-link values are derived.
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    console_.ReadFromEe(i);
    if (i == idx_.lvRxLva) {
      console_.Value(i, radio_.eepImage().ReadByte(174));
    } else if (i == idx_.lvRxLva + 1) {
      console_.Value(i, radio_.eepImage().ReadByte(175));
    }
    console_.flgChanged(i, true);
  }
  flgReadoutReq_ = true;
  chObjAdr_ = RigK70RFunc_Obj_Address(2);
  rxFreqBase_ = chObjAdr_;
  BuildChannelList();
  if (com_.cln3D.lastError() == 0 && seq_.error() == 0) {
    lastBackup_ =
        ImageBackup::Save(radio_.eepImage().bytes(), radio_.radioNameM(), radio_.radionameS(), std::time(nullptr));
  }
}

void clsIndOp_RigK70R::BuildChannelList() {
  const int32_t m = std::min<int32_t>(RigK70RFunc_Obj_Number(2), 40);
  int16_t count = 0;
  for (int16_t ch = 0; ch < m; ++ch) {
    if (indEep_.RigK70REep_GetChAppear(rxFreqBase_, ch)) chList_[static_cast<size_t>(count++)] = ch;
  }
  if (count == 0) {
    chList_[0] = 0;
    count = 1;
  }
  chCount_ = count;
  console_.Max(idxChNo_, static_cast<int16_t>(count - 1));
  console_.Value(idxChNo_, console_.Min(idxChNo_));
  console_.flgChanged(idxChNo_, true);
}

// Sends every changed item; stops when a live command is under way and scans again next time.
bool clsIndOp_RigK70R::LiveUpdate() {
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    if (!console_.flgChanged(i)) continue;
    console_.flgChanged(i, false);
    console_.SendE8(i);
    if (i == idxBal_) MirrorBal();
    if (seq_.OpRunning()) return false;
  }
  return true;
}

// The balance is kept in three further bytes (wide, narrow-wide and digital), one per pass,
// each with its own live command; BAL is flagged again until all agree.
void clsIndOp_RigK70R::MirrorBal() {
  const int16_t v = console_.Value(idxBal_);
  const struct {
    int32_t address;
    int16_t command;
  } mirrors[] = {{113, 0x12}, {99, 0x10}, {120, 0x1B}};
  memory::clsCmcEeprom& ee = radio_.eepImage();
  for (const auto& m : mirrors) {
    if (ee.ReadByte(m.address) == v) continue;
    SendLive(m.command, v);
    ee.WriteByte(m.address, static_cast<uint8_t>(v));
    console_.flgChanged(idxBal_, true);
    return;
  }
}

void clsIndOp_RigK70R::EnterDispatch() {
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    if (console_.flgEnterOn(i) && console_.Event_Enter(i) >= 0) {
      console_.flgEnterOn(i, false);
      console_.EnterExec(i);
      return;
    }
  }
}

bool clsIndOp_RigK70R::RunAction() {
  const int16_t before = actions_.actState;
  bool advance = true;
  if (RigK70RActions::IsRssi(before)) {
    advance = actions_.ActRssi(*this, idx_);
  } else if (RigK70RActions::IsBpf(before)) {
    advance = actions_.ActBpfSweep(*this, idx_);
  } else if (RigK70RActions::IsLva(before)) {
    advance = actions_.ActLvaAdjust(*this, idx_);
  }
  if (before != 0 && actions_.actState == 0) CancelActions();
  return advance;
}

void clsIndOp_RigK70R::CancelActions() {
  actions_.actState = 0;
  for (int16_t k = 0; k < 2; ++k) {
    console_.WaitAfterE8(static_cast<int16_t>(idx_.bpfT1 + k), 200);
    console_.WaitAfterE8(static_cast<int16_t>(idx_.rxLva + k), 500);
  }
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    console_.flgEnterOn(i, false);
    console_.Disp(i);
  }
}

void clsIndOp_RigK70R::RefreshPanels() {
  const bool shielding = RigK70RProp_Shielding();
  const bool edit = RigK70RProp_EditEnabled();
  const bool para = RigK70RProp_DispPara();
  view_.setVisible(Control::kFra0, shielding);
  const bool wasVisible = view_.isVisible(Control::kFra1);
  view_.setVisible(Control::kFra1, edit);
  if (edit && !wasVisible) view_.setFocus(Control::kLboConsole);
  view_.setVisible(Control::kFra3, para);
  view_.setEnabled(Control::kCmd0, !para);
  view_.setEnabled(Control::kCmd1, edit);
  view_.setEnabled(Control::kCmd2, !shielding);
  view_.setDefaultAndCancel(Control::kCmd2, para);
}

}  // namespace qxt::model
