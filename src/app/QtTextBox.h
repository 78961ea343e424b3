#pragma once
// A QPlainTextEdit as the core's text box. CR LF line ends become the widget's own.

#include <QPlainTextEdit>

#include "common/TextBoxView.h"

namespace qxt::app {

class QtTextBox : public common::TextBoxView {
 public:
  explicit QtTextBox(QPlainTextEdit* edit) : edit_(edit) {}
  void setText(const std::string& text) override {
    QString t = QString::fromStdString(text);
    t.replace("\r\n", "\n");
    edit_->setPlainText(t);
  }

 private:
  QPlainTextEdit* edit_;
};

}  // namespace qxt::app
