#pragma once
#include <functional>
#include <string>
#include <vector>

#include "common/MessageBox.h"

namespace qxt::test {

// Records every message instead of showing it; installs itself for its lifetime.
class RecordingMessageBox : public common::MessageBox {
 public:
  struct Shown {
    std::string text, title;
    int16_t style;
    std::string detail;
  };
  RecordingMessageBox() { MessageBox::install(this); }
  ~RecordingMessageBox() override { MessageBox::install(nullptr); }
  int16_t show(const std::string& text, const std::string& title, int16_t style, const std::string& detail) override {
    shown.push_back({text, title, style, detail});
    if (onShow) onShow();
    return kOk;
  }
  std::vector<Shown> shown;
  std::function<void()> onShow;  // what a test looks at while the box is up
};

}  // namespace qxt::test
