#pragma once
// --read and --restore: the program's own link, options and simulator-tested operations,
// driven by the event loop of a QCoreApplication, without a window. Failures are the program's
// own messages, on standard error, and a nonzero exit status.
//
// SIGTERM, SIGINT and SIGHUP stop the work in order: a read stops at once and writes no file; a
// restore stops after the block under way and says how much of the radio's memory is written.
// A second signal ends the program at once.

#include <memory>
#include <optional>
#include <string>

#include "adjust/RestoreWrite.h"
#include "app/CommandLine.h"
#include "app/HeadlessView.h"
#include "app/QtSerialPort.h"
#include "app/QuitOnSignal.h"
#include "common/MessageBox.h"
#include "program/RigProgram.h"

namespace qxt::app {

class HeadlessTransfer : private common::MessageBox {
 public:
  explicit HeadlessTransfer(const CommandLine& cl);
  ~HeadlessTransfer() override;
  HeadlessTransfer(const HeadlessTransfer&) = delete;
  HeadlessTransfer& operator=(const HeadlessTransfer&) = delete;

  // The exit status: 0 done, 1 the radio or the file said no (or the work was stopped), 2 a
  // wrong command line.
  int Run();

 private:
  int16_t show(const std::string& text, const std::string& title, int16_t style, const std::string& detail) override;
  void OnSignal(int signal);
  // Runs the sequencer's operation to its end; false when it failed (its message is out) or a
  // read was stopped.
  bool Finish(const char* what);
  bool ReadRadio(const std::string& keptAs);
  // The first read of the radio: warns when its last restore did not end verified.
  bool ReadRadioFirst(const std::string& keptAs, bool& afterUnfinished);
  int Read(const std::string& path);
  int Restore(const std::string& path);
  // The restore's summary on standard output, then "yes" from the terminal unless --yes.
  bool Confirmed(const std::string& path, const Bytes& file, const std::string& backup);
  std::optional<std::string> AnswerLine();
  int Stopped(const char* what);

  CommandLine cl_;
  QtSerialPort port_;
  HeadlessView view_;
  program::RigProgram program_;
  std::unique_ptr<QuitOnSignal> signals_;
  adjust::RestoreWrite* writing_ = nullptr;  // the restore whose write runs, for a stop
  bool stopRequested_ = false;
  bool failed_ = false;
  std::string lastError_;
};

}  // namespace qxt::app
