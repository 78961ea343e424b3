#pragma once
// The main window's File menu: "Open image..." and "Recent images" (an image file's listing,
// compared with the radio or another file), "Restore image..." (the file compared with the radio
// and written only when the technician says so, with what the service record knows of it),
// "History...", "Save report..." and "Technician...".

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/HistoryWindow.h"
#include "app/ImageWindow.h"
#include "app/RestoreDialog.h"
#include "common/Bytes.h"
#include "program/RigProgram.h"

namespace qxt::app {

class FileActions : public QObject {
  Q_OBJECT

 public:
  FileActions(program::RigProgram& program, QWidget* window);

  // The history window, opened or raised.
  HistoryWindow* ShowHistory();
  // Where the service record is and whether its server is connected, in a box.
  void ShowServiceRecord();
  // The report of the session under way, or else of the last one.
  void SaveReport();
  void SaveReport(int64_t session);
  // The name is one line of at most kTechnicianMax characters.
  void AskTechnician();
  static constexpr int kTechnicianMax = 80;
  // From a chosen file, or from path when it is given (an open image).
  void RestoreImage(const QString& path = QString());
  // The image window of path (chosen when empty); nullptr when the file is no image (said in a box).
  ImageWindow* OpenImage(const QString& path = QString());
  // The image files opened last, newest first (section [RECENT] of the options).
  QStringList RecentImages() const;
  static constexpr int kRecentMax = 5;
  // For the restore dialog: where the record says the file came from ("" when it does not know).
  QString Provenance(const Bytes& file);

  // How "Restore image..." chooses its file and asks before it writes; tests replace both.
  std::function<QString()> chooseImageFile;
  // The file "Open image..." and "Compare with a file..." show (a dialog; tests replace it).
  std::function<QString(const QString& caption)> chooseOpenFile;
  // The list of "Recent images" changed.
  std::function<void(const QStringList&)> recentChanged;
  std::function<bool(const RestoreDialog::Comparison&)> confirmRestore;
  // A file name to save to (a save dialog; tests replace it); empty: cancelled.
  std::function<QString(const QString& caption, const QString& filter)> chooseSaveFile;
  // The technician's name (an input dialog; tests replace it); nullopt: cancelled.
  std::function<std::optional<QString>(const QString& current)> askName;
  // What the last report or refusal said, as the status bar shows it.
  std::function<void(const std::string&)> notice;

 private:
  void Remember(const QString& path);
  void SaveReportFrom(const record::RecordReader& reader, int64_t session);

  program::RigProgram& program_;
  QWidget* window_;
  QPointer<HistoryWindow> history_;
};

}  // namespace qxt::app
