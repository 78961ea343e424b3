#pragma once
// File > "History...": the service record's sessions, newest first (time, radio, changes,
// outcome), loaded a screen at a time as the list scrolls, and the events of the session selected; a filter by text and
// by days; the selection exported as CSV; the service report of the selected session.
//
// All of it is reachable by keyboard: Alt+F the filter, the tables by Tab, Enter on a session
// shows its events, and every control carries an accessible name.

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <functional>

#include "app/RadioHistoryWindow.h"
#include "app/SessionListModel.h"
#include "app/TextTableModel.h"
#include "record/RecordTypes.h"
#include "record/ServiceRecord.h"

namespace qxt::app {

class HistoryWindow : public QDialog {
  Q_OBJECT

 public:
  HistoryWindow(record::ServiceRecord& record, QWidget* parent = nullptr);

  // The file a CSV export or a report goes to (a save dialog; tests replace it). Empty: none.
  std::function<QString(const QString& caption, const QString& filter)> chooseSaveFile;
  // "Save report..." of the selected session; the main window does the writing.
  std::function<void(int64_t session)> saveReport;

  void Refresh();
  void Filter(const QString& text);
  // The days shown, "YYYY-MM-DD" each; empty for no limit.
  void Days(const QString& from, const QString& to);
  void Select(int row);
  int64_t selectedSession() const;
  // The sessions selected (all listed when none is) or the events listed, as CSV.
  QString SessionsCsv() const;
  QString EventsCsv() const;
  // The sessions of the selected session's radio on every bench, with the plot of an item over
  // them; nullptr when the session names no radio.
  RadioHistoryWindow* ShowRadio();
  void Bench(const QString& bench) { bench_->setText(bench); }

  SessionListModel& sessions() { return sessionModel_; }
  TextTableModel& events() { return eventModel_; }
  QTableView* sessionView() const { return sessionView_; }
  QLabel* statusLabel() const { return status_; }

 private:
  void Build();
  QWidget* BuildFilter();
  void ShowEvents();
  void Export(const QString& what, const QString& csv);

  record::ServiceRecord& record_;
  record::SessionFilter CurrentFilter() const;
  void Listed();

  SessionListModel sessionModel_;
  TextTableModel eventModel_;
  std::vector<record::EventRow> eventRows_;
  QLineEdit* filter_ = nullptr;
  QLineEdit* bench_ = nullptr;
  QCheckBox* fromOn_ = nullptr;
  QCheckBox* toOn_ = nullptr;
  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QTableView* sessionView_ = nullptr;
  QTableView* eventView_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace qxt::app
