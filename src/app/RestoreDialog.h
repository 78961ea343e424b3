#pragma once
// Asks before a restore: what the file would change, as the 67-line parameter listing side by
// side (label, radio, file, changed lines marked), and what a restore writes (the whole memory,
// memory channels included). "Restore" goes ahead; the focus starts on "Cancel".

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <vector>

#include "memory/ParameterListing.h"

namespace qxt::app {

class RestoreDialog : public QDialog {
  Q_OBJECT

 public:
  struct Comparison {
    QString file;
    std::vector<memory::ParameterRow> radio;
    std::vector<memory::ParameterRow> fromFile;
    size_t bytesDiffering = 0;
    QString provenance;  // what the record knows of where the file came from; may be empty
    QString summary;     // what the restore does and what is kept, as --restore says it too
  };

  RestoreDialog(const Comparison& comparison, QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }
  QLabel* summary() const { return summary_; }
  QPushButton* restoreButton() const { return restore_; }
  int changedLines() const { return changed_; }

 private:
  void Fill(const Comparison& c);

  QLabel* summary_;
  QTableWidget* table_;
  QPushButton* restore_;
  QPushButton* cancel_;
  int changed_ = 0;
};

}  // namespace qxt::app
