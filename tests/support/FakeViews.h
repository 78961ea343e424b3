#pragma once
// The main window's controls as plain records, for core tests.
#include <array>
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
  void setEnabled(model::Control c, bool on) override { enabled[c] = on; }
  void setVisible(model::Control c, bool on) override { visible[c] = on; }
  bool isVisible(model::Control c) const override { return visible.count(c) != 0 && visible.at(c); }
  void setDefaultAndCancel(model::Control c, bool on) override { defaultCancel[c] = on; }
  void setFocus(model::Control c) override { focus.push_back(c); }
  void beep() override { ++beeps; }
  void showTransfer(int percent, int secondsLeft, bool cancellable) override {
    transfer = {percent, secondsLeft, cancellable ? 1 : 0};
    transferShown = true;
  }
  void hideTransfer() override { transferShown = false; }
  void showReport(const std::string& text, bool success) override { reports.push_back({text, success}); }
  void showNotice(const std::string& text) override { notices.push_back(text); }
  double screenWidth() const override { return screenW; }
  double screenHeight() const override { return screenH; }
  void setWindowRect(const model::TwipsRect& r) override {
    window = r;
    ++windowSets;
  }
  double clientWidth() const override { return clientW; }
  double clientHeight() const override { return clientH; }
  double separatorX1() const override { return 0; }
  double separatorX2() const override { return clientW; }
  double separatorY1() const override { return 15; }
  model::TwipsRect bounds(model::Control c) const override { return places.count(c) ? places.at(c) : labelSize; }
  void place(model::Control c, const model::TwipsRect& r) override { places[c] = r; }
  void appendToTabOrder(model::Control c) override { tabOrder.push_back(c); }
  void setBorderless(model::Control c) override { borderless[c] = true; }

  FakeListBox console;
  FakeListBox readouts[2];
  FakeTextBox para;
  std::map<model::Control, std::string> captions;
  std::map<model::Control, bool> enabled, visible, defaultCancel, borderless;
  std::vector<model::Control> focus, tabOrder;
  std::map<model::Control, model::TwipsRect> places;
  model::TwipsRect window, labelSize{0, 0, 3000, 300};
  int beeps = 0;
  std::array<int, 3> transfer{};  // percent, seconds left, cancellable
  bool transferShown = false;
  std::vector<std::pair<std::string, bool>> reports;
  std::vector<std::string> notices;
  int windowSets = 0;
  double screenW = 28800, screenH = 16200, clientW = 9400, clientH = 7800;
};

class FakeWindowView : public model::MainWindowView {
 public:
  void setPortChecked(int index, bool checked) override { portChecks[index] = checked; }
  void setReleaseChecked(int index, bool checked) override { releaseChecks[index] = checked; }
  void setStatusLine(const std::string& text, bool open) override {
    status = text;
    statusOpen = open;
  }
  void setWindowCaption(const std::string& text) override { caption = text; }

  std::map<int, bool> portChecks, releaseChecks;
  std::string status, caption;
  bool statusOpen = false;
};

}  // namespace qxt::test
