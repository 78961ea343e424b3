#pragma once
// The program's modal message box: a QMessageBox with the icon, one OK button and the title.

#include <QWidget>

#include "common/MessageBox.h"

namespace qxt::app {

class QtMessageBox : public common::MessageBox {
 public:
  int16_t show(const std::string& text, const std::string& title, int16_t style, const std::string& detail) override;
  void setParent(QWidget* parent) { parent_ = parent; }

 private:
  QWidget* parent_ = nullptr;
};

}  // namespace qxt::app
