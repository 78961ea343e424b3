#pragma once
// --align: Align all without a window. A Connect (clone read and backup), then the procedures
// of the sequence with the bench generator's settings, unattended; the summary on standard
// output, the program's messages on standard error. Exit status: 0 every step done, 1 a step
// failed or the radio or the instrument said no, 2 a wrong command line. SIGTERM, SIGINT and
// SIGHUP end the run in order (the procedure under way puts back, RF off); a second ends at once.

#include <string>

#include "app/CommandLine.h"
#include "app/HeadlessView.h"
#include "app/QtSerialPort.h"
#include "common/MessageBox.h"
#include "program/RigProgram.h"

namespace qxt::app {

class HeadlessAlign : private common::MessageBox {
 public:
  explicit HeadlessAlign(const CommandLine& cl);
  ~HeadlessAlign() override;
  HeadlessAlign(const HeadlessAlign&) = delete;
  HeadlessAlign& operator=(const HeadlessAlign&) = delete;

  int Run();

 private:
  int16_t show(const std::string& text, const std::string& title, int16_t style, const std::string& detail) override;
  // The bench options of the file, with --generator and --sequence on top (for this run only).
  void UseBench();
  void PrintSummary();

  CommandLine cl_;
  QtSerialPort port_;
  HeadlessView view_;
  program::RigProgram program_;
  std::string lastError_;
};

}  // namespace qxt::app
