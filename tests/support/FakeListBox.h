#pragma once
// A list box and a text box as plain records, for core tests.
#include <string>
#include <vector>

#include "common/ListBoxView.h"
#include "common/TextBoxView.h"

namespace qxt::test {

class FakeListBox : public common::ListBoxView {
 public:
  void clear() override { lines.clear(); }
  void addLine(const std::string& text) override { lines.push_back(text); }
  void replaceLine(int index, const std::string& text) override {
    lines.at(static_cast<size_t>(index)) = text;
    ++replaces;
  }
  int count() const override { return static_cast<int>(lines.size()); }

  std::vector<std::string> lines;
  int replaces = 0;
};

class FakeTextBox : public common::TextBoxView {
 public:
  void setText(const std::string& t) override { text = t; }
  std::string text;
};

}  // namespace qxt::test
