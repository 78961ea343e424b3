#pragma once
// The main window's controls as plain records, for core tests.
#include <map>
#include <string>
#include <vector>

#include "model/MainView.h"
#include "model/MainWindowView.h"
#include "support/FakeListBox.h"

namespace qxt::test {

class FakeMainView : public model::MainView {
 public:
  common::ListBoxView& lboConsole() override { return console; }
  common::ListBoxView& lbo01(int index) override { return readouts[index == 0 ? 0 : 1]; }
  common::TextBoxView& txtDispPara() override { return para; }
  void setCaption(model::Control c, const std::string& text) override { captions[c] = text; }
  void setEnabled(model::Control, bool) override {}
  void setVisible(model::Control c, bool on) override { visible[c] = on; }
  bool isVisible(model::Control c) const override { return visible.count(c) != 0 && visible.at(c); }
  void setDefaultAndCancel(model::Control, bool) override {}
  void setFocus(model::Control c) override { focus.push_back(c); }
  void beep() override { ++beeps; }
  void showTransfer(int, int, bool) override {}
  void hideTransfer() override {}
  void showReport(const std::string& text, bool success) override { reports.push_back({text, success}); }
  void showNotice(const std::string& text) override { notices.push_back(text); }
  double screenWidth() const override { return screenW; }
  double screenHeight() const override { return screenH; }
  void setWindowRect(const model::TwipsRect&) override {}
  double clientWidth() const override { return clientW; }
  double clientHeight() const override { return clientH; }
  double separatorX1() const override { return 0; }
  double separatorX2() const override { return clientW; }
  double separatorY1() const override { return 15; }
  model::TwipsRect bounds(model::Control) const override { return {0, 0, 3000, 300}; }
  void place(model::Control, const model::TwipsRect&) override {}
  void appendToTabOrder(model::Control) override {}
  void setBorderless(model::Control) override {}

  FakeListBox console;
  FakeListBox readouts[2];
  FakeTextBox para;
  std::map<model::Control, std::string> captions;
  std::map<model::Control, bool> visible;
  std::vector<model::Control> focus;
  int beeps = 0;
  std::vector<std::pair<std::string, bool>> reports;
  std::vector<std::string> notices;
  double screenW = 28800, screenH = 16200, clientW = 9400, clientH = 7800;
};

class FakeWindowView : public model::MainWindowView {
 public:
  void setPortChecked(int, bool) override {}
  void setReleaseChecked(int, bool) override {}
  void setStatusLine(const std::string& text, bool) override { status = text; }
  void setWindowCaption(const std::string&) override {}
  std::string status;
};

}  // namespace qxt::test
