#pragma once
// The main window on a settable clock, with the simulated radio in memory on COM 1, its options
// and service record in a temporary folder.
#include <QApplication>
#include <QTest>
#include <functional>
#include <string>

#include "app/frmMain.h"
#include "support/RadioPort.h"
#include "support/RecordingMessageBox.h"
#include "support/RunUntil.h"
#include "support/TempDir.h"

namespace qxt::test {

struct ShellRig {
  // options: the text of the options file the program finds at its start.
  explicit ShellRig(const std::string& options = "") {
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    form.program().profMain().setPath(dir.path() + "/");
    if (!options.empty()) TempDir::Write(form.program().profMain().GetMyProfile(), options);
    form.program().Start();
    form.show();
    // An orderly close runs on the test's clock.
    form.runUntil = [this](const std::function<bool()>& done) { TickUntil(done); };
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      clock.advance(50);
      port.Deliver();
      form.program().com().timSolid_Timer();
      QApplication::processEvents();
    }
  }
  bool TickUntil(const std::function<bool()>& done, int max = 20000) {
    return RunUntil(
        done, [this] { Tick(); }, StepLimit(max));
  }
  bool Connect() {
    QTest::mouseClick(form.button(0), Qt::LeftButton);
    return TickUntil([&] { return form.program().op().work().isSteady(); });
  }
  std::string Options() { return TempDir::Read(form.program().profMain().GetMyProfile()); }

  TempDir dir;
  RecordingMessageBox box;
  FakeTickSource clock;
  RadioPort port{clock};
  app::frmMain form{port, clock, dir.file("service.sqlite")};
};

}  // namespace qxt::test
