#include "app/HistoryWindow.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSaveFile>
#include <QSplitter>
#include <QVBoxLayout>

#include "common/Translate.h"
#include "record/HistoryExport.h"
#include "record/RecordReader.h"
#include "record/ServiceRecord.h"

namespace qxt::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Sessions looked at in one step of the list: a few milliseconds, whatever the filter.
constexpr int64_t kStepSpan = 5000;

QTableView* Table(QAbstractItemModel* model, const QString& name, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setModel(model);
  view->setAccessibleName(name);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setTabKeyNavigation(false);  // Tab leaves the table; the arrows move in it
  view->verticalHeader()->hide();
  view->horizontalHeader()->setStretchLastSection(true);
  view->setWordWrap(false);
  return view;
}

}  // namespace

HistoryWindow::HistoryWindow(record::ServiceRecord& record, QWidget* parent)
    : QDialog(parent), record_(record), eventModel_({tr("Time"), tr("Kind"), tr("What")}) {
  sessionModel_.setSource([this](const record::SessionFilter& filter, int64_t below) {
    return record_.reader().Page(filter, below, static_cast<int>(SessionListModel::kScreen), kStepSpan);
  });
  connect(&sessionModel_, &SessionListModel::loaded, this, &HistoryWindow::Listed);
  setWindowTitle(tr("History"));
  setAccessibleName(tr("History of the service record"));
  Build();
  Refresh();
  resize(900, 600);
}

QWidget* HistoryWindow::BuildFilter() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  filter_ = new QLineEdit(bar);
  filter_->setAccessibleName(tr("Filter by text"));
  filter_->setPlaceholderText(tr("model, identity, port, outcome, technician"));
  filter_->setClearButtonEnabled(true);
  auto* label = new QLabel(tr("&Filter:"), bar);
  label->setBuddy(filter_);
  row->addWidget(label);
  row->addWidget(filter_, 1);
  bench_ = new QLineEdit(bar);
  bench_->setAccessibleName(tr("Only the sessions of this bench"));
  bench_->setPlaceholderText(tr("all benches"));
  bench_->setClearButtonEnabled(true);
  auto* benchLabel = new QLabel(tr("&Bench:"), bar);
  benchLabel->setBuddy(bench_);
  row->addWidget(benchLabel);
  row->addWidget(bench_);
  connect(bench_, &QLineEdit::textChanged, this, &HistoryWindow::Refresh);
  fromOn_ = new QCheckBox(tr("F&rom"), bar);
  from_ = new QDateEdit(QDate::currentDate().addMonths(-1), bar);
  toOn_ = new QCheckBox(tr("&To"), bar);
  to_ = new QDateEdit(QDate::currentDate(), bar);
  for (QDateEdit* date : {from_, to_}) {
    date->setCalendarPopup(true);
    date->setDisplayFormat("yyyy-MM-dd");
    date->setEnabled(false);
  }
  from_->setAccessibleName(tr("First day shown"));
  to_->setAccessibleName(tr("Last day shown"));
  for (QWidget* w : {static_cast<QWidget*>(fromOn_), static_cast<QWidget*>(from_), static_cast<QWidget*>(toOn_),
                     static_cast<QWidget*>(to_)}) {
    row->addWidget(w);
  }
  connect(filter_, &QLineEdit::textChanged, this, &HistoryWindow::Refresh);
  connect(fromOn_, &QCheckBox::toggled, from_, &QWidget::setEnabled);
  connect(toOn_, &QCheckBox::toggled, to_, &QWidget::setEnabled);
  for (QCheckBox* box : {fromOn_, toOn_}) connect(box, &QCheckBox::toggled, this, &HistoryWindow::Refresh);
  for (QDateEdit* date : {from_, to_}) connect(date, &QDateEdit::dateChanged, this, &HistoryWindow::Refresh);
  return bar;
}

void HistoryWindow::Build() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFilter());
  auto* split = new QSplitter(Qt::Vertical, this);
  sessionView_ = Table(&sessionModel_, tr("Sessions, newest first"), split);
  sessionView_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  eventView_ = Table(&eventModel_, tr("Events of the selected session"), split);
  split->addWidget(sessionView_);
  split->addWidget(eventView_);
  layout->addWidget(split, 1);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  layout->addWidget(status_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* sessionsCsv = buttons->addButton(tr("Export &sessions..."), QDialogButtonBox::ActionRole);
  QPushButton* eventsCsv = buttons->addButton(tr("Export &events..."), QDialogButtonBox::ActionRole);
  QPushButton* report = buttons->addButton(tr("Save &report..."), QDialogButtonBox::ActionRole);
  QPushButton* radio = buttons->addButton(tr("R&adio's history..."), QDialogButtonBox::ActionRole);
  connect(radio, &QPushButton::clicked, this, [this] { ShowRadio(); });
  radio->setAutoDefault(false);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(sessionsCsv, &QPushButton::clicked, this, [this] { Export(tr("sessions"), SessionsCsv()); });
  connect(eventsCsv, &QPushButton::clicked, this, [this] { Export(tr("events"), EventsCsv()); });
  connect(report, &QPushButton::clicked, this, [this] {
    if (selectedSession() != 0 && saveReport) saveReport(selectedSession());
  });
  connect(sessionView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &HistoryWindow::ShowEvents);
  for (QPushButton* b : {sessionsCsv, eventsCsv, report}) b->setAutoDefault(false);
  setTabOrder(filter_, bench_);
  setTabOrder(bench_, fromOn_);
  setTabOrder(to_, sessionView_);
  setTabOrder(sessionView_, eventView_);
  filter_->setFocus();
}

record::SessionFilter HistoryWindow::CurrentFilter() const {
  const QString from = fromOn_->isChecked() ? from_->date().toString(Qt::ISODate) : QString();
  const QString to = toOn_->isChecked() ? to_->date().toString(Qt::ISODate) : QString();
  return {filter_->text().toStdString(), from.toStdString(), to.toStdString(), bench_->text().trimmed().toStdString()};
}

void HistoryWindow::Refresh() {
  const bool hadRows = sessionModel_.rowCount() > 0;
  if (!record_.on()) {
    sessionModel_.setRows({});
    status_->setText(Q(common::Shown(record_.problem())));
  } else {
    sessionModel_.Restart(CurrentFilter());
  }
  if (!hadRows || sessionModel_.rowCount() == 0) ShowEvents();
}

// Each step of the list: the first session selected once there is one, the count, or what
// keeps the record from being read.
void HistoryWindow::Listed() {
  if (!sessionModel_.problem().isEmpty()) {
    status_->setText(sessionModel_.problem());
    return;
  }
  const int count = sessionModel_.rowCount();
  if (count > 0 && !sessionView_->currentIndex().isValid()) {
    Select(0);
    sessionView_->resizeColumnsToContents();
  }
  if (count == 0) ShowEvents();
  status_->setText(
      QString("%1 sessions listed%2. The record: %3")
          .arg(count)
          .arg(sessionModel_.complete() ? "" : ", more as the list scrolls")
          .arg(Q(record_.reader().Where() + (record_.readProblem().empty() ? "" : " " + record_.readProblem()))));
}

void HistoryWindow::Filter(const QString& text) { filter_->setText(text); }

void HistoryWindow::Days(const QString& from, const QString& to) {
  if (!from.isEmpty()) from_->setDate(QDate::fromString(from, Qt::ISODate));
  if (!to.isEmpty()) to_->setDate(QDate::fromString(to, Qt::ISODate));
  fromOn_->setChecked(!from.isEmpty());
  toOn_->setChecked(!to.isEmpty());
}

void HistoryWindow::Select(int row) { sessionView_->selectRow(row); }

int64_t HistoryWindow::selectedSession() const {
  const QModelIndex current = sessionView_->currentIndex();
  const auto& listed = sessionModel_.listed();
  if (!current.isValid() || static_cast<size_t>(current.row()) >= listed.size()) return 0;
  return listed[static_cast<size_t>(current.row())].id;
}

void HistoryWindow::ShowEvents() {
  eventRows_.clear();
  if (selectedSession() != 0 && record_.on()) {
    try {
      eventRows_ = record_.reader().Events(selectedSession());
    } catch (const std::exception& e) {
      status_->setText(tr("The service record cannot be read (%1).").arg(e.what()));
    }
  }
  std::vector<QStringList> rows;
  for (const auto& e : eventRows_) rows.push_back({Q(e.at), Q(e.kind), Q(record::HistoryExport::Describe(e))});
  eventModel_.setRows(std::move(rows));
  eventView_->resizeColumnsToContents();
}

// With nothing selected, every session the filter passes, also the ones not yet scrolled to.
QString HistoryWindow::SessionsCsv() const {
  std::vector<record::SessionSummary> chosen;
  const auto& listed = sessionModel_.listed();
  for (const QModelIndex& index : sessionView_->selectionModel()->selectedRows()) {
    if (static_cast<size_t>(index.row()) < listed.size()) chosen.push_back(listed[static_cast<size_t>(index.row())]);
  }
  std::sort(chosen.begin(), chosen.end(), [](const auto& a, const auto& b) { return a.id > b.id; });
  if (chosen.empty() && record_.on()) {
    try {
      chosen = record_.reader().Sessions(CurrentFilter());
    } catch (const std::exception&) {
      chosen = listed;
    }
  }
  return Q(record::HistoryExport::SessionsCsv(chosen));
}

RadioHistoryWindow* HistoryWindow::ShowRadio() {
  const QModelIndex current = sessionView_->currentIndex();
  const auto& listed = sessionModel_.listed();
  if (!current.isValid() || static_cast<size_t>(current.row()) >= listed.size()) return nullptr;
  const record::SessionSummary& s = listed[static_cast<size_t>(current.row())];
  if (s.identity.empty()) {
    status_->setText(tr("Session %1 names no radio.").arg(s.id));
    return nullptr;
  }
  auto* window = new RadioHistoryWindow(record_.reader(), s.identity, Q(record::HistoryExport::Radio(s)), this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return window;
}

QString HistoryWindow::EventsCsv() const { return Q(record::HistoryExport::EventsCsv(eventRows_)); }

void HistoryWindow::Export(const QString& what, const QString& csv) {
  const QString path = chooseSaveFile ? chooseSaveFile(tr("Export %1").arg(what), tr("CSV files (*.csv)")) : QString();
  if (path.isEmpty()) return;
  QSaveFile file(path);
  const QByteArray bytes = csv.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    status_->setText(tr("Not exported: %1: %2").arg(path, file.errorString()));
    return;
  }
  status_->setText(tr("Exported the %1 to %2.").arg(what, path));
}

}  // namespace qxt::app
