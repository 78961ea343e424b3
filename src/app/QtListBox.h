#pragma once
// A QListWidget as the core's list box.

#include <QListWidget>

#include "common/ListBoxView.h"

namespace qxt::app {

class QtListBox : public common::ListBoxView {
 public:
  explicit QtListBox(QListWidget* list) : list_(list) {}
  void clear() override { list_->clear(); }
  void addLine(const std::string& text) override { list_->addItem(QString::fromStdString(text)); }
  void replaceLine(int index, const std::string& text) override {
    if (QListWidgetItem* item = list_->item(index)) item->setText(QString::fromStdString(text));
  }
  int count() const override { return list_->count(); }

 private:
  QListWidget* list_;
};

}  // namespace qxt::app
