#pragma once
// The main window's controls as plain records, for core tests.
#include <map>
#include <string>
#include <vector>

#include "support/FakeListBox.h"
#include "window/MainView.h"
#include "window/MainWindowView.h"

namespace qxt::test {

class FakeMainView : public window::MainView {
 public:
  common::ListBoxView& lboConsole() override { return console; }
  common::ListBoxView& lbo01(int index) override { return readouts[index == 0 ? 0 : 1]; }
  common::TextBoxView& txtDispPara() override { return para; }
  void setCaption(window::Control c, const std::string& text) override { captions[c] = text; }
  void setEnabled(window::Control, bool) override {}
  void setVisible(window::Control c, bool on) override { visible[c] = on; }
  bool isVisible(window::Control c) const override { return visible.count(c) != 0 && visible.at(c); }
  void setDefaultAndCancel(window::Control, bool) override {}
  void setFocus(window::Control c) override { focus.push_back(c); }
  void beep() override { ++beeps; }
  void showTransfer(int percent, int secondsLeft, bool) override { transfer = {percent, secondsLeft}; }
  void hideTransfer() override {}
  void showReport(const std::string& text, bool success) override { reports.push_back({text, success}); }
  void showNotice(const std::string& text) override { notices.push_back(text); }
  double screenWidth() const override { return screenW; }
  double screenHeight() const override { return screenH; }
  void setWindowRect(const window::TwipsRect&) override {}
  double clientWidth() const override { return clientW; }
  double clientHeight() const override { return clientH; }
  double separatorX1() const override { return 0; }
  double separatorX2() const override { return clientW; }
  double separatorY1() const override { return 15; }
  window::TwipsRect bounds(window::Control) const override { return {0, 0, 3000, 300}; }
  void place(window::Control, const window::TwipsRect&) override {}
  void appendToTabOrder(window::Control) override {}
  void setBorderless(window::Control) override {}

  FakeListBox console;
  FakeListBox readouts[2];
  FakeTextBox para;
  std::map<window::Control, std::string> captions;
  std::map<window::Control, bool> visible;
  std::vector<window::Control> focus;
  int beeps = 0;
  std::pair<int, int> transfer{-1, -1};  // percent done, seconds left
  std::vector<std::pair<std::string, bool>> reports;
  std::vector<std::string> notices;
  double screenW = 28800, screenH = 16200, clientW = 9400, clientH = 7800;
};

class FakeWindowView : public window::MainWindowView {
 public:
  void setPortChecked(int, bool) override {}
  void setReleaseChecked(int, bool) override {}
  void setStatusLine(const std::string& text, bool) override { status = text; }
  void setWindowCaption(const std::string&) override {}
  std::string status;
};

}  // namespace qxt::test
