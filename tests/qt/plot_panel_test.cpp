// The plot as drawn: the chart's series and marks for each kind of procedure, the panel in the
// window with its text alternative, its images, and the plots in the report.
#include <gtest/gtest.h>

#include <QAbstractSeries>
#include <QClipboard>
#include <QXYSeries>

#include "app/PlotChart.h"
#include "app/ReportWriter.h"
#include "record/SqliteReader.h"
#include "support/ShellRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

namespace {

QStringList Names(QChart* chart) {
  QStringList names;
  for (QAbstractSeries* s : chart->series()) names << s->name();
  return names;
}

QPointF Only(QChart* chart, const QString& name) {
  for (QAbstractSeries* s : chart->series()) {
    if (s->name() == name) return static_cast<QXYSeries*>(s)->at(0);
  }
  return {-1, -1};
}

}  // namespace

TEST(PlotChart, EachProcedureHasItsSeriesAndMarks) {
  window::PlotData sweep;
  sweep.ProcedureStarted(adjust::ProcedureKind::kBpfSweep, "BPF T1", "80");
  sweep.SeriesStarted("BPF T1", 80, std::nullopt);
  for (int16_t x = 0; x < 256; ++x) sweep.Point("BPF T1", x, static_cast<int16_t>(x >= 89 && x <= 95 ? 192 : 50));
  sweep.SeriesEnded("BPF T1", 89, 95, 92);
  sweep.ProcedureEnded(adjust::ProcedureOutcome::kDone, "92", "");
  std::unique_ptr<QChart> chart(app::PlotChart::Build(sweep));
  EXPECT_EQ(Names(chart.get()), (QStringList{"T1 plateau 89-95", "T1 level", "T1 before 80", "T1 set to 92"}));
  EXPECT_EQ(Only(chart.get(), "T1 set to 92"), QPointF(92, 192));
  EXPECT_EQ(Only(chart.get(), "T1 before 80"), QPointF(80, 50));
  EXPECT_EQ(chart->title(), "BPF sweep: BPF T1 (done)");

  window::PlotData lva;
  lva.ProcedureStarted(adjust::ProcedureKind::kLvaAdjust, "TX LVA", "90");
  lva.SeriesStarted("TX LVA", 90, 250);
  lva.Point("TX LVA", 0, 20);
  lva.Point("TX LVA", 255, 224);
  lva.SeriesEnded("TX LVA", 0, 255, std::nullopt);
  chart.reset(app::PlotChart::Build(lva));
  EXPECT_EQ(Names(chart.get()),
            (QStringList{"TX LVA LVIN as measured", "target level 250", "TX LVA failed: back to 90"}));
}

TEST(PlotPanel, ShownFromTheViewMenuDrawnLiveAndKeptInTheReport) {
  ShellRig s;
  const int narrow = s.form.width();
  s.form.menus().plotAction()->trigger();
  app::PlotPanel* panel = s.form.plotPanel();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_GT(s.form.width(), narrow);  // the console keeps its room
  ASSERT_TRUE(s.Connect());
  s.form.program().console().EnterPushed(Index(kBpfT1));
  ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().work().actions().running(); }));
  for (int i = 0; i < 40; ++i) s.Tick();
  panel->Refresh();
  EXPECT_TRUE(panel->textAlternative()->text().startsWith("BPF sweep: BPF T1 (running)."));
  EXPECT_EQ(Names(panel->view()->chart()), (QStringList{"T1 level", "T1 before 80"}));  // so far
  ASSERT_TRUE(s.TickUntil([&] { return !s.form.program().op().work().actions().running(); }));
  panel->Refresh();
  EXPECT_NE(panel->textAlternative()->text().indexOf("plateau 89 to 95, set to 92"), -1);
  EXPECT_EQ(panel->view()->accessibleDescription(), panel->textAlternative()->text());
  if (const char* shot = std::getenv("QXT_SCREENSHOT")) s.form.grab().save(shot, "PNG");  // for the README

  ASSERT_EQ(panel->SaveImage(QString::fromStdString(s.dir.file("plot.png"))), "");
  EXPECT_EQ(TempDir::Read(s.dir.file("plot.png")).substr(1, 3), "PNG");
  ASSERT_EQ(panel->SaveImage(QString::fromStdString(s.dir.file("plot.svg"))), "");
  EXPECT_NE(TempDir::Read(s.dir.file("plot.svg")).find("<svg"), std::string::npos);
  panel->CopyImage();
  EXPECT_FALSE(QApplication::clipboard()->image().isNull());

  record::SqliteReader reader(*s.form.program().record().database());
  const QString html = QString::fromStdString(s.dir.file("report.html"));
  ASSERT_EQ(app::ReportWriter::SaveSession(reader, 1, "", html), "");
  const std::string report = TempDir::Read(html.toStdString());
  EXPECT_NE(report.find("<img src=\"data:image/png;base64,"), std::string::npos);
  EXPECT_NE(report.find("alt=\"BPF sweep: BPF T1 (done)."), std::string::npos);

  s.form.close();  // the panel is remembered
  EXPECT_NE(s.Options().find("[VIEW]\nPlot=1"), std::string::npos) << s.Options();
}
