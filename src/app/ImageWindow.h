#pragma once
// An image file opened from File > "Open image..." (or dropped on the window): its 67-line
// parameter listing, without a radio, compared on request with the radio's memory or with
// another file, the differing lines marked as the restore dialog marks them. "Restore to the
// radio..." starts the restore from this file.

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <functional>

#include "common/Bytes.h"

namespace qxt::app {

class ImageWindow : public QWidget {
  Q_OBJECT

 public:
  ImageWindow(const QString& path, const Bytes& image, QWidget* parent = nullptr);

  const QString& path() const { return path_; }
  const Bytes& image() const { return image_; }
  // Shows other beside the file as a third column named what; the lines that differ are marked.
  void CompareWith(const QString& what, const Bytes& other);
  int changedLines() const { return changed_; }

  QTableWidget* table() const { return table_; }
  QLabel* summary() const { return summary_; }
  QPushButton* radioButton() const { return radio_; }
  QPushButton* fileButton() const { return file_; }
  QPushButton* restoreButton() const { return restore_; }

  // What the buttons do; the window's owner sets them.
  std::function<void(ImageWindow*)> compareRadio, compareFile, restore;

 private:
  void Fill(const QString& what, const Bytes* other);

  QString path_;
  Bytes image_;
  QLabel* summary_;
  QTableWidget* table_;
  QPushButton* radio_;
  QPushButton* file_;
  QPushButton* restore_;
  int changed_ = 0;
};

}  // namespace qxt::app
