// The service record from the window: the technician's name, the history of a session with its
// filters and the radio's own history, and a list of years of sessions.
#include <gtest/gtest.h>

#include "app/HistoryWindow.h"
#include "support/ShellRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

// A pasted name with line breaks once became sections and keys of the options file.
TEST(History, TheTechniciansNameIsOneLineOfLimitedLength) {
  ShellRig s;
  app::FileActions& records = s.form.files();
  QString typed = "Ann\n[OPTION]\nComPort=2\r\n[PORTS]\tCOM2=/dev/sda\x7f";
  records.askName = [&](const QString&) { return std::optional<QString>(typed); };
  s.form.menus().technicianAction()->trigger();
  EXPECT_EQ(s.form.program().main().technician(), "Ann [OPTION] ComPort=2 [PORTS] COM2=/dev/sda");
  typed = QString(app::FileActions::kTechnicianMax + 1, 'x');
  s.form.menus().technicianAction()->trigger();
  EXPECT_EQ(s.form.lastNotice(), "Technician: a name has at most 80 characters; this one has 81 and was not saved.");
  EXPECT_EQ(s.form.program().main().technician(), "Ann [OPTION] ComPort=2 [PORTS] COM2=/dev/sda");
}

TEST(History, ASessionIsListedFilteredAndTheRadiosHistoryShown) {
  ShellRig s;
  app::FileActions& records = s.form.files();
  records.askName = [](const QString&) { return std::optional<QString>(" Ann Smith "); };
  s.form.menus().technicianAction()->trigger();
  EXPECT_NE(s.Options().find("Technician=Ann Smith"), std::string::npos) << s.Options();
  ASSERT_TRUE(s.Connect());
  s.form.program().main().ConsoleKeyDown(window::MainWindowLogic::Key::kRight, false, Index(kPower));
  s.form.program().console().EnterPushed(Index(kBpfT1));  // BPF T1
  ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().work().actions().running(); }));
  ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().work().actState() == adjust::ActState::kNone; }));

  s.form.menus().historyAction()->trigger();
  auto* history = s.form.findChild<app::HistoryWindow*>();
  ASSERT_NE(history, nullptr);
  ASSERT_EQ(history->sessions().rowCount(), 1);
  EXPECT_EQ(history->sessions().row(0)[3], "2927/0100");
  bool sweep = false;
  for (int r = 0; r < history->events().rowCount(); ++r)
    sweep |= history->events().row(r)[2] == "BPF sweep started: 80";
  EXPECT_TRUE(sweep);
  history->Filter("no such radio");
  EXPECT_EQ(history->sessions().rowCount(), 0);
  history->Filter("ann smith");  // the technician, without regard to case
  EXPECT_EQ(history->sessions().rowCount(), 1);
  history->Days("2000-01-01", "2000-12-31");
  EXPECT_EQ(history->sessions().rowCount(), 0);
  history->Days("", "");
  ASSERT_EQ(history->sessions().rowCount(), 1);
  history->Bench("no such bench");
  EXPECT_EQ(history->sessions().rowCount(), 0);
  history->Bench("");
  ASSERT_EQ(history->sessions().rowCount(), 1);
  // The radio's own history, one click away: its sessions and one item's value over them.
  app::RadioHistoryWindow* radio = history->ShowRadio();
  ASSERT_NE(radio, nullptr);
  EXPECT_EQ(radio->sessions().rowCount(), 1);
  EXPECT_EQ(radio->itemChooser()->count(), 67);
  EXPECT_EQ(radio->plotted(), 1);
  radio->close();
}

namespace {

// A record of many sessions, written straight into its tables (as years of work would leave it).
void Sessions(record::ServiceRecord& r, int count, const std::string& rare) {
  r.database()->exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                     std::to_string(count) +
                     ") INSERT INTO sessions (started, device, model, sub, outcome) SELECT '2026-01-01T10:00:00Z',"
                     " CASE WHEN i IN (" +
                     rare +
                     ") THEN 'rare' ELSE '/dev/ttyUSB0' END, '2927', '0100', 'closed'"
                     " FROM n");
}

}  // namespace

// The list shows a screen of the newest sessions at once and more as it scrolls; a filter that
// matches rarely is looked for in steps that let the window answer between them.
TEST(History, TheListFillsAsItScrollsAndARareFilterRunsInSteps) {
  TempDir dir;
  record::ServiceRecord r(dir.file("service.sqlite"));
  Sessions(r, 12000, "10, 20");
  app::HistoryWindow window(r);
  app::SessionListModel& list = window.sessions();
  ASSERT_EQ(list.rowCount(), 100);
  EXPECT_EQ(list.row(0)[0], "12000");
  EXPECT_EQ(window.selectedSession(), 12000);
  EXPECT_TRUE(list.canFetchMore({}));
  list.fetchMore({});
  EXPECT_EQ(list.rowCount(), 200);
  EXPECT_EQ(list.row(199)[0], "11801");

  window.Filter("rare");
  EXPECT_EQ(list.rowCount(), 0);  // the first step saw the newest 5000 sessions only
  EXPECT_FALSE(list.complete());
  for (int step = 0; step < 10 && !list.complete(); ++step) QApplication::processEvents();
  ASSERT_TRUE(list.complete());
  ASSERT_EQ(list.rowCount(), 2);
  EXPECT_EQ(list.row(0)[0], "20");
  EXPECT_EQ(list.row(1)[0], "10");
  // An export with nothing chosen holds every session the filter passes.
  window.sessionView()->clearSelection();
  EXPECT_EQ(window.SessionsCsv().count("\r\n"), 3);
}
