#pragma once
// The main window's File menu: "Restore image..." (the file compared with the radio and written
// only when the technician says so, with what the service record knows of it), "History...",
// "Save report..." and "Technician...".

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/HistoryWindow.h"
#include "app/RestoreDialog.h"
#include "common/Bytes.h"
#include "model/RigProgram.h"

namespace qxt::app {

class FileActions : public QObject {
  Q_OBJECT

 public:
  FileActions(model::RigProgram& program, QWidget* window);

  // The history window, opened or raised.
  HistoryWindow* ShowHistory();
  // The report of the session under way, or else of the last one.
  void SaveReport();
  void SaveReport(int64_t session);
  // The name is one line of at most kTechnicianMax characters.
  void AskTechnician();
  static constexpr int kTechnicianMax = 80;
  void RestoreImage();
  // For the restore dialog: where the record says the file came from ("" when it does not know).
  QString Provenance(const Bytes& file);

  // How "Restore image..." chooses its file and asks before it writes; tests replace both.
  std::function<QString()> chooseImageFile;
  std::function<bool(const RestoreDialog::Comparison&)> confirmRestore;
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
