#pragma once
// The main window's part of the service record: File > "History...", "Save report..." and
// "Technician...", and what the record knows of an image file before it is restored.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/HistoryWindow.h"
#include "common/Bytes.h"
#include "model/RigProgram.h"

namespace qxt::app {

class RecordActions : public QObject {
  Q_OBJECT

 public:
  RecordActions(model::RigProgram& program, QWidget* window);

  // The history window, opened or raised.
  HistoryWindow* ShowHistory();
  // The report of the session under way, or else of the last one.
  void SaveReport();
  void SaveReport(int64_t session);
  void AskTechnician();
  // For the restore dialog: where the record says the file came from ("" when it does not know).
  QString Provenance(const Bytes& file);

  // A file name to save to (a save dialog; tests replace it); empty: cancelled.
  std::function<QString(const QString& caption, const QString& filter)> chooseSaveFile;
  // The technician's name (an input dialog; tests replace it); nullopt: cancelled.
  std::function<std::optional<QString>(const QString& current)> askName;
  // What the last report or refusal said, as the status bar shows it.
  std::function<void(const std::string&)> notice;

 private:
  model::RigProgram& program_;
  QWidget* window_;
  QPointer<HistoryWindow> history_;
};

}  // namespace qxt::app
