#pragma once
// The history window's list of sessions, newest first, loaded a screen at a time as the list
// scrolls (Qt's canFetchMore/fetchMore). A filter that matches rarely is looked for in steps of a
// bounded number of sessions, each on the event loop, so the window never waits for the whole
// record.

#include <QTimer>
#include <functional>
#include <vector>

#include "app/TextTableModel.h"
#include "record/RecordTypes.h"

namespace qxt::app {

class SessionListModel : public TextTableModel {
  Q_OBJECT

 public:
  // One step: sessions passing the filter below an id (0: the newest), at most a screen of them,
  // looking at a bounded number of sessions. May throw when the record cannot be read.
  using Source = std::function<record::SessionPage(const record::SessionFilter&, int64_t below)>;

  static constexpr size_t kScreen = 100;

  explicit SessionListModel(QObject* parent = nullptr);

  void setSource(Source source) { source_ = std::move(source); }
  // Starts the list again with this filter and loads its first step at once.
  void Restart(const record::SessionFilter& filter);
  const std::vector<record::SessionSummary>& listed() const { return listed_; }
  // Whether more of the record is still to be looked at.
  bool complete() const { return done_; }
  const QString& problem() const { return problem_; }

  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 signals:
  void loaded();

 private:
  void Step();

  Source source_;
  record::SessionFilter filter_;
  std::vector<record::SessionSummary> listed_;
  int64_t next_ = 0;
  bool done_ = true;
  QString problem_;
  QTimer again_;
};

}  // namespace qxt::app
