#include "window/MainWindowLogic.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/Common.h"
#include "common/Translate.h"

namespace qxt::window {

namespace {

// The key sequence "qxt7130-bench", each character stored as the upper case of the next code.
constexpr char kKeySequence[] = "RYU8241.CFODI";
// The caption it brings up, each character stored one code higher.
constexpr char kCaptionText[] = "R[.S811!TFSWJDF\"";

int16_t Saturate16(int32_t v) { return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX)); }

}  // namespace

MainWindowLogic::MainWindowLogic(link::clsCmcCln3Sequence& seq, adjust::clsIndOp_RigK70R& op, const link::frmCom& com,
                                 adjust::SessionLog& keeper, MainWindowView& view, common::NoticeSink& notices)
    : seq_(seq), op_(op), com_(com), keeper_(keeper), view_(view), notices_(notices) {
  setComPortNo(1);
  setComAutoRelease(0);
}

void MainWindowLogic::setComPortNo(int32_t value) {
  comPortNo_ = Saturate16(value);
  op_.RigOpFunc_SetComPortNo(comPortNo_);
}

// The hold time is milliseconds in 16-bit seconds x 1000: delays beyond 32 s (or below 0) are
// limited to what can be represented.
void MainWindowLogic::setComAutoRelease(int32_t seconds) {
  comAutoRelease_ = Saturate16(seconds);
  seq_.setComHoldReload(std::clamp<int32_t>(comAutoRelease_, 0, 32) * 1000);
}

// A value the program cannot use falls back to its default, and the technician is told.
void MainWindowLogic::loadData(settings::clsCmcProfileIO& objProf) {
  objProf.setSection("OPTION");
  settings::ProfileValue port = int32_t{1};
  objProf.loadData("ComPort", port, settings::ProfileValue(int32_t{1}));
  int32_t portNo = std::get<int32_t>(port);
  if (portNo < link::frmCom::imdMinComPortNum || portNo > link::frmCom::imdmaxComPortNum) {
    notices_.showNotice(
        common::Compose(common::TrNoop("qxt", "The options name COM %1, outside COM 1 to COM 10: COM 1 is used."),
                        {std::to_string(portNo)}));
    portNo = 1;
  }
  setComPortNo(portNo);
  settings::ProfileValue release = int32_t{0};
  objProf.loadData("ComAutoRelease", release, settings::ProfileValue(int32_t{0}));
  int32_t seconds = std::get<int32_t>(release);
  if (seconds < 0 || seconds > kMaxRelease) {
    notices_.showNotice(common::Compose(
        common::TrNoop(
            "qxt",
            "The options set ComAutoRelease=%1, outside 0 to 5 seconds: the port is not released automatically."),
        {std::to_string(seconds)}));
    seconds = 0;
  }
  setComAutoRelease(seconds);
  technician_ = objProf.ReadKey("REPORT", "Technician", "");
  plotShown_ = objProf.ReadKey("VIEW", "Plot", "0") == "1";
  setTextSize(std::atoi(objProf.ReadKey("VIEW", "TextSize", "0").c_str()));
}

bool MainWindowLogic::saveData(settings::clsCmcProfileIO& objProf) {
  objProf.setSection("OPTION");
  bool saved = objProf.saveData("ComPort", comPortNo_);
  saved = objProf.saveData("ComAutoRelease", comAutoRelease_) && saved;
  // The others are written once they differ from their defaults, so an options file stays as it
  // was until then.
  const std::pair<bool, std::array<std::string, 3>> keys[] = {
      {!technician_.empty(), {"REPORT", "Technician", technician_}},
      {plotShown_, {"VIEW", "Plot", plotShown_ ? "1" : "0"}},
      {textSize_ != 0, {"VIEW", "TextSize", std::to_string(textSize_)}},
  };
  for (const auto& [differs, k] : keys) {
    if (differs || !objProf.ReadKey(k[0], k[1], "").empty()) saved = objProf.WriteKey(k[0], k[1], k[2]) && saved;
  }
  return saved;
}

void MainWindowLogic::ClickCmd00(int16_t index) {
  if (index == 0 && !op_.work().streaming()) keeper_.Connecting(comPortNo_, com_.DevicePath(comPortNo_), technician_);
  op_.RigOpFunc_ClickCmd00(index);
}

std::string MainWindowLogic::AlignAll() {
  const std::string why = op_.work().StartAlignAll(op_.work().generator().options().SequenceTitles());
  if (!why.empty()) {
    notices_.showNotice(why);
    return why;
  }
  ClickCmd00(0);
  return "";
}

void MainWindowLogic::MsgBoxCloneErr(const link::LinkFailure& failure) {
  const std::string text = failure.Text();
  keeper_.Message("error", text);
  // Everything is rebuilt before the box shows, so ticks during the box find a clean state. What
  // the reset cancels, and what it could not put back, is still part of the session.
  op_.RigOpFunc_ResetAll();
  if (failure.Unreachable()) op_.work().DropPutBack();
  keeper_.Ended("error", text);
  ShowStatus();  // the box may stay a while: the status line says now that the port is closed
  common::MsgBoxError(text, failure.Detail());
}

void MainWindowLogic::task() {
  seq_.task();
  op_.task();
  if (seq_.OpRunning()) seq_.task();
  for (int i = 1; i <= link::frmCom::imdmaxComPortNum; ++i) view_.setPortChecked(i, i == comPortNo_);
  for (int i = 0; i <= kMaxRelease; ++i) view_.setReleaseChecked(i, i == comAutoRelease_);
  ShowStatus();
}

// While a port is open, the one the link holds; else the one chosen.
void MainWindowLogic::ShowStatus() {
  const bool open = com_.comOpen();
  view_.setStatusLine(StatusText(open ? com_.comPortNum() : comPortNo_, open), open);
}

std::string MainWindowLogic::StatusText(int16_t port, bool open) {
  return "COM" + common::SignedNumberText(port) + (open ? ": OPEN" : ": CLOSE");
}

bool MainWindowLogic::ConsoleKeyDown(Key key, bool shift, int selectedIndex) {
  const int step = shift ? 5 : 1;
  const auto index = static_cast<int16_t>(selectedIndex);
  switch (key) {
    case Key::kLeft:
    case Key::kRight:
      if (selectedIndex >= 0) {
        op_.work().RememberKeyChange(index);
        op_.console().UpDown(index, static_cast<int16_t>(key == Key::kLeft ? -step : step));
      }
      return false;
    case Key::kEnter:
    case Key::kSeparator:
      if (selectedIndex >= 0) op_.console().EnterPushed(index);
      return false;
    case Key::kF5:
      break;
  }
  return true;
}

void MainWindowLogic::FormKeyDown(Key key) {
  if (key == Key::kF5) op_.RigOpFunc_ClickCmd00(static_cast<int16_t>(adjust::Button::kReload));
}

std::optional<std::string> MainWindowLogic::ButtonKeyPress(int charCode) {
  keyBuffer_ += static_cast<char>(std::toupper((charCode + 1) & 0xFF));
  if (keyBuffer_.size() > 13) keyBuffer_.erase(0, keyBuffer_.size() - 13);
  if (keyBuffer_ != kKeySequence) return std::nullopt;
  std::string caption;
  for (char c : std::string(kCaptionText)) caption += static_cast<char>(c - 1);
  return caption;
}

}  // namespace qxt::window
