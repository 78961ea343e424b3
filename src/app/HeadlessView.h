#pragma once
// The window as seen by a program that has none (the command-line modes): the lists and texts
// are kept in memory, notices go to standard error and reports to standard output.

#include <cstdio>
#include <string>
#include <vector>

#include "common/Log.h"
#include "window/MainView.h"
#include "window/MainWindowView.h"

namespace qxt::app {

class HeadlessView : public window::MainView, public window::MainWindowView {
 public:
  common::ListBoxView& lboConsole() override { return lists_[0]; }
  common::ListBoxView& lbo01(int index) override { return lists_[index == 0 ? 1 : 2]; }
  common::TextBoxView& txtDispPara() override { return text_; }
  void setCaption(window::Control, const std::string&) override {}
  void setEnabled(window::Control, bool) override {}
  void setVisible(window::Control, bool) override {}
  bool isVisible(window::Control) const override { return false; }
  void setDefaultAndCancel(window::Control, bool) override {}
  void setFocus(window::Control) override {}
  void beep() override {}
  void showTransfer(int, int, bool) override {}
  void hideTransfer() override {}
  void showReport(const std::string& text, bool) override { std::printf("%s\n", text.c_str()); }
  void showNotice(const std::string& text) override { common::LogLine(text); }
  double screenWidth() const override { return 19200; }
  double screenHeight() const override { return 10800; }
  void setWindowRect(const window::TwipsRect&) override {}
  double clientWidth() const override { return 9525; }
  double clientHeight() const override { return 8000; }
  double separatorX1() const override { return 0; }
  double separatorX2() const override { return 9525; }
  double separatorY1() const override { return 15; }
  window::TwipsRect bounds(window::Control) const override { return {}; }
  void place(window::Control, const window::TwipsRect&) override {}
  void appendToTabOrder(window::Control) override {}
  void setBorderless(window::Control) override {}
  void setPortChecked(int, bool) override {}
  void setReleaseChecked(int, bool) override {}
  void setStatusLine(const std::string&, bool) override {}
  void setWindowCaption(const std::string&) override {}

 private:
  class Lines : public common::ListBoxView {
   public:
    void clear() override { lines_.clear(); }
    void addLine(const std::string& text) override { lines_.push_back(text); }
    void replaceLine(int index, const std::string& text) override {
      if (index >= 0 && index < count()) lines_[static_cast<size_t>(index)] = text;
    }
    int count() const override { return static_cast<int>(lines_.size()); }

   private:
    std::vector<std::string> lines_;
  };
  class Text : public common::TextBoxView {
   public:
    void setText(const std::string&) override {}
  };

  Lines lists_[3];
  Text text_;
};

}  // namespace qxt::app
