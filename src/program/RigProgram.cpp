#include "program/RigProgram.h"

#include "window/FormLayout.h"

#include "common/Common.h"
#include "common/Log.h"
#include "common/MessageBox.h"
#include "common/Translate.h"
#include "settings/OptionsLocation.h"

namespace qxt::program {

namespace {

// "PJ5102K.rs" beside the program, or in the user's configuration folder (OptionsLocation).
settings::clsCmcProfileIO OptionsFile() {
  settings::clsCmcProfileIO prof;
  prof.SetCurrentPath();
  prof.setName(std::string("PJ5102K") + ".rs");
  prof.setSection(common::kAppTitle);
  prof.setPath(settings::OptionsLocation::Choose(prof.path(), prof.name()));
  return prof;
}

}  // namespace

RigProgram::RigProgram(link::SerialPort& port, const common::TickSource& ticks, window::MainView& view,
                       window::MainWindowView& window, const std::string& recordPath)
    : profMain_(OptionsFile()),
      record_(recordPath),
      com_(port, ticks, profMain_, *this),
      seq_(com_, radio_, ticks, *this, *this),
      keeper_(record_, radio_.eepImage()),
      op_(seq_, keeper_, radio_, view, ticks, *this),
      main_(seq_, op_, com_, keeper_, window, view),
      view_(view),
      ticks_(ticks) {
  // The record says once, visibly, why it is off or what became of a damaged file.
  record_.OnTrouble([&view](const std::string& problem) { view.showNotice(problem); });
  if (!record_.openNote().empty()) view.showNotice(record_.openNote());
  common::MessageBox::listen([this](const std::string& text) { keeper_.Message("error", text); });
  op_.work().observers().Add(&keeper_);
  seq_.AddObserver(&keeper_);
  op_.work().observers().Add(&plot_);
}

RigProgram::~RigProgram() {
  common::MessageBox::listen(nullptr);
  com_.Unload();
}

int16_t RigProgram::UsePortDevice(const std::string& path) {
  const int16_t n = com_.PortNumberFor(path);
  profMain_.WriteKey("PORTS", "COM" + std::to_string(n), path);
  main_.setComPortNo(n);
  return n;
}

void RigProgram::Start() {
  radio_.radioNameM("2927");
  radio_.radionameS("0100");
  radio_.cloneWriteAdrList_Clear();
  radio_.cloneWriteAdrList_Add(0, 32111);
  com_.setComPortNum(1);
  com_.setComBaud(9600);
  com_.cln3D().Reset();
  com_.Reset();
  const std::string aside = profMain_.SetAsideIfUnusable(common::TimeStamp("%Y%m%d-%H%M%S"));
  if (!aside.empty()) notice(aside);
  main_.loadData(profMain_);
  std::vector<std::string> notes;
  op_.work().generator().Configure(instrument::BenchOptions::Load(profMain_, notes));
  record_.UseServer(record::RecordOptions::Load(profMain_, notes));
  for (const std::string& note : notes) notice(note);
  com_.setTimSolidEnabled(true);
}

bool RigProgram::SaveBench(const instrument::BenchOptions& options) {
  op_.work().generator().Configure(options);
  return options.Save(profMain_);
}

void RigProgram::saveAllData() {
  optionsProblem_.clear();
  if (!saveOptions_) return;
  if (main_.saveData(profMain_)) return;
  optionsProblem_ = common::Compose(common::TrNoop("qxt",
                                                   "The options could not be saved to %1 (a folder that cannot be "
                                                   "written, a full disk, or a file too large): the choices of this "
                                                   "session are lost."),
                                    {profMain_.GetMyProfile()});
  notice(optionsProblem_);
}

void RigProgram::notice(const std::string& text) {
  view_.showNotice(text);
  keeper_.Message("notice", text);
}

void RigProgram::BeginEnd() {
  endBegan_ = ticks_.tickCount();
  op_.work().BeginEnd();
}

// The difference of two tick counts is right across the wrap from the maximum to the minimum.
bool RigProgram::EndSettled() const {
  const auto waited =
      static_cast<int32_t>(static_cast<uint32_t>(ticks_.tickCount()) - static_cast<uint32_t>(endBegan_));
  return op_.work().EndReady() || waited >= kEndPatienceMs;
}

void RigProgram::CloseDown() {
  op_.work().EndNow();
  op_.work().generator().Shutdown();  // RF off before the program goes
  keeper_.Ended("exit");
  com_.AllOver();
  com_.Unload();
}

void RigProgram::RigOpFunc_FormLayout() {
  window::FormLayout::Arrange(view_, !layoutDone_);
  layoutDone_ = true;
}

}  // namespace qxt::program
