#pragma once
// --read and --restore: the program's own link, options and simulator-tested operations,
// driven by the event loop of a QCoreApplication, without a window. Failures are the program's
// own messages, on standard error, and a nonzero exit status.

#include <string>

#include "app/CommandLine.h"
#include "app/HeadlessView.h"
#include "app/QtSerialPort.h"
#include "common/MessageBox.h"
#include "model/RigProgram.h"

namespace qxt::app {

class HeadlessTransfer : private common::MessageBox {
 public:
  explicit HeadlessTransfer(const CommandLine& cl);
  ~HeadlessTransfer() override;
  HeadlessTransfer(const HeadlessTransfer&) = delete;
  HeadlessTransfer& operator=(const HeadlessTransfer&) = delete;

  // The exit status: 0 done, 1 the radio or the file said no, 2 a wrong port.
  int Run();

 private:
  int16_t show(const std::string& text, const std::string& title, int16_t style, const std::string& detail) override;
  bool ChoosePort();
  // Runs the sequencer's operation to its end; false when it failed (its message is out).
  bool Finish(const char* what);
  bool ReadRadio(const std::string& keptAs);
  int Read(const std::string& path);
  int Restore(const std::string& path);

  CommandLine cl_;
  QtSerialPort port_;
  HeadlessView view_;
  model::RigProgram program_;
  bool failed_ = false;
  std::string lastError_;
};

}  // namespace qxt::app
