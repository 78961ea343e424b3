#pragma once
// The main window's controls as plain records, for core tests.
#include <map>
#include <string>
#include <vector>

#include "support/FakeListBox.h"
#include "model/MainView.h"
#include "model/MainWindowView.h"

class FakeMainView : public MainView {
 public:
  ListBoxView& lboConsole() override { return console; }
  ListBoxView& lbo01(int index) override { return readouts[index == 0 ? 0 : 1]; }
  TextBoxView& txtDispPara() override { return para; }
  void setCaption(Control c, const std::string& text) override { captions[c] = text; }
  void setEnabled(Control c, bool on) override { enabled[c] = on; }
  void setVisible(Control c, bool on) override { visible[c] = on; }
  bool isVisible(Control c) const override { return visible.count(c) != 0 && visible.at(c); }
  void setDefaultAndCancel(Control c, bool on) override { defaultCancel[c] = on; }
  void setFocus(Control c) override { focus.push_back(c); }
  void beep() override { ++beeps; }
  double screenWidth() const override { return screenW; }
  double screenHeight() const override { return screenH; }
  void setWindowRect(const TwipsRect& r) override {
    window = r;
    ++windowSets;
  }
  double clientWidth() const override { return clientW; }
  double clientHeight() const override { return clientH; }
  double separatorX1() const override { return 0; }
  double separatorX2() const override { return clientW; }
  double separatorY1() const override { return 15; }
  TwipsRect bounds(Control c) const override { return places.count(c) ? places.at(c) : labelSize; }
  void place(Control c, const TwipsRect& r) override { places[c] = r; }
  void appendToTabOrder(Control c) override { tabOrder.push_back(c); }
  void setBorderless(Control c) override { borderless[c] = true; }

  FakeListBox console;
  FakeListBox readouts[2];
  FakeTextBox para;
  std::map<Control, std::string> captions;
  std::map<Control, bool> enabled, visible, defaultCancel, borderless;
  std::vector<Control> focus, tabOrder;
  std::map<Control, TwipsRect> places;
  TwipsRect window, labelSize{0, 0, 3000, 300};
  int beeps = 0;
  int windowSets = 0;
  double screenW = 28800, screenH = 16200, clientW = 9400, clientH = 7800;
};

class FakeWindowView : public MainWindowView {
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
