#include "app/SessionListModel.h"

#include "record/HistoryExport.h"

namespace qxt::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QStringList Cells(const record::SessionSummary& s) {
  return {QString::number(s.id),
          Q(s.started),
          Q(s.bench),
          Q(s.model.empty() ? "" : s.model + "/" + s.sub),
          Q(s.identity),
          QString::number(s.changes),
          Q(s.outcomeText.empty() ? s.outcome : s.outcome + ": " + s.outcomeText)};
}

}  // namespace

SessionListModel::SessionListModel(QObject* parent)
    : TextTableModel(
          {tr("Session"), tr("Started"), tr("Bench"), tr("Radio"), tr("Identity"), tr("Changes"), tr("Outcome")},
          parent) {
  again_.setSingleShot(true);
  again_.setInterval(0);
  connect(&again_, &QTimer::timeout, this, [this] { Step(); });
}

void SessionListModel::Restart(const record::SessionFilter& filter) {
  again_.stop();
  filter_ = filter;
  listed_.clear();
  setRows({});
  next_ = 0;
  done_ = false;
  problem_.clear();
  Step();
}

bool SessionListModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && !done_; }

void SessionListModel::fetchMore(const QModelIndex& parent) {
  if (!parent.isValid() && !done_ && !again_.isActive()) Step();
}

// Until a screen is full (a rare filter) the steps go on by themselves from the event loop, so
// the window answers between them; after that the scrolling asks for more.
void SessionListModel::Step() {
  if (done_ || !source_) return;
  record::SessionPage page;
  try {
    page = source_(filter_, next_);
  } catch (const std::exception& e) {
    problem_ = tr("The service record cannot be read (%1).").arg(e.what());
    done_ = true;
    emit loaded();
    return;
  }
  std::vector<QStringList> rows;
  for (const auto& s : page.sessions) rows.push_back(Cells(s));
  listed_.insert(listed_.end(), page.sessions.begin(), page.sessions.end());
  appendRows(std::move(rows));
  next_ = page.next;
  done_ = page.next == 0;
  if (!done_ && listed_.size() < kScreen) again_.start();
  emit loaded();
}

}  // namespace qxt::app
