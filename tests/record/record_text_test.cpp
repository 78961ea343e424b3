// The service record as a technician reads it: the exports and the report say what happened,
// and text from outside (a technician's name, a message) cannot break them.
#include <gtest/gtest.h>

#include "common/Sha256.h"
#include "record/HistoryExport.h"
#include "record/Provenance.h"
#include "record/ServiceRecord.h"
#include "record/ServiceReport.h"
#include "record/SqliteReader.h"
#include "sim/SimImage.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;
using record::HistoryExport;

namespace {

struct Recorded {
  Recorded() {
    record.BeginSession(1, "/dev/ttyUSB0", "<b>Ann</b>, \"A\"");
    record.SessionRadio({"2927", "0100", "AABB", "/backup/a.bin", image});
    record.ValueSent("Power", 0xA6, 82, 90, record::SendReason::kKey);
    record.BeginProcedure("BPF sweep", "BPF T1", "80");
    record.Point("BPF T1", 0, 10);
    record.EndProcedure("92", "failed", "no peak");
    record.Message("error", "No answer from transceiver.\r\n\r\nCheck the following:");
    record.EndSession("error", "No answer from transceiver.\r\n\r\nCheck the following:");
  }
  TempDir dir;
  record::ServiceRecord record{dir.file("service.sqlite")};
  Bytes image = sim::DefaultImage({});
  record::SqliteReader reader{*record.database()};
};

}  // namespace

TEST(RecordText, CsvFieldsSurviveSeparatorsQuotesAndFormulas) {
  const std::pair<std::string, std::string> cases[] = {
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"=HYPERLINK(1)", "'=HYPERLINK(1)"},
      {"+cmd", "'+cmd"},
      {"-2+3", "'-2+3"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\tx", "'\tx"},
      {"\rx", "\"'\rx\""},
      {"-5", "-5"},  // a number stays a number
      {"+3.5", "+3.5"},
      {"-", "'-"},
      {"Ann \xff\xfe", "Ann \xEF\xBF\xBD\xEF\xBF\xBD"},  // invalid UTF-8 is replaced
      {"Grüße", "Grüße"},
  };
  for (const auto& [text, field] : cases) EXPECT_EQ(HistoryExport::CsvField(text), field) << text;
}

// Text from an options file in another encoding never reaches the record raw.
TEST(RecordText, InvalidUtf8IsReplacedBeforeItIsStored) {
  TempDir dir;
  record::ServiceRecord r(dir.file("service.sqlite"));
  r.BeginSession(1, "/dev/tty\xC0", "M\xfcller");
  r.Message("notice", "\xE2\x82 cut");
  r.Message("notice", "\xE0\xA4\xA8\xC3\xA9");  // well-formed: U+0928 and U+00E9
  const record::RecordReader& reader = r.reader();
  EXPECT_EQ(reader.Session(1)->technician, "M\xEF\xBF\xBDller");
  EXPECT_EQ(reader.Session(1)->device, "/dev/tty\xEF\xBF\xBD");
  EXPECT_EQ(reader.Events(1).at(0).text, "\xEF\xBF\xBD\xEF\xBF\xBD cut");
  EXPECT_EQ(reader.Events(1).at(1).text, "\xE0\xA4\xA8\xC3\xA9");
}

TEST(RecordText, TheRadioIsNamedByItsIdentificationFields) {
  std::string identity(61 * 2, '0');
  identity.replace(100, 2, "3C");
  identity.replace(114, 8, "37443646");  // "7D6F"
  record::SessionSummary s;
  s.model = "2927";
  s.sub = "0100";
  s.identity = identity;
  EXPECT_EQ(HistoryExport::Radio(s), "2927/0100, options 3C, last address 7D6F");
  s.identity = "AABB";
  EXPECT_EQ(HistoryExport::Radio(s), "2927/0100 AABB");
}

TEST(RecordText, ListingsAndExportsSayWhatHappened) {
  Recorded r;
  const auto sessions = r.reader.Sessions();
  const std::string text = HistoryExport::SessionsText(sessions);
  EXPECT_NE(text.find("error: No answer from transceiver. / Check the following:\n"), std::string::npos) << text;
  const std::string csv = HistoryExport::SessionsCsv(sessions);
  EXPECT_NE(csv.find("\r\n1,"), std::string::npos);
  EXPECT_NE(csv.find("\"<b>Ann</b>, \"\"A\"\"\""), std::string::npos) << csv;
  const auto events = r.reader.Events(1);
  EXPECT_EQ(HistoryExport::Describe(events[0]), "Power: 82 -> 90 (key)");
  EXPECT_EQ(HistoryExport::Describe(events[2]), "BPF sweep failed: 92; no peak");
  EXPECT_NE(HistoryExport::EventsCsv(events).find("change,Power,00A6,82,90,key,"), std::string::npos);
}

TEST(RecordText, TheReportShowsTheRadioTheChangedLinesAndTheProcedures) {
  Recorded r;
  record::ServiceReport report(r.reader, 1);
  ASSERT_TRUE(report.found());
  report.AddFigure(1, "<img src=\"plot.png\">");
  const std::string html = report.Html();
  for (const char* part : {"model 2927, sub code 0100", "<td>AABB</td>", "&lt;b&gt;Ann&lt;/b&gt;, &quot;A&quot;",
                           "<tr class=\"changed\"><td>*</td><td>POW L1 Level:</td><td>82</td><td>90</td></tr>",
                           "1 of 67 lines changed", "<td>BPF sweep</td>", "<td>failed</td>", "<img src=\"plot.png\">",
                           "No answer from transceiver.", "Power: 82 -&gt; 90 (key)"}) {
    EXPECT_NE(html.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(html.find("<b>Ann"), std::string::npos);
  EXPECT_FALSE(record::ServiceReport(r.reader, 7).found());
}

TEST(RecordText, ARestoreFileFromAnotherRadioOrUnknownIsNamedAsSuch) {
  Recorded r;
  EXPECT_NE(record::ProvenanceNote(r.reader, Bytes(32112, 1), "AABB").find("does not know this image"),
            std::string::npos);
  EXPECT_NE(record::ProvenanceNote(r.reader, r.image, "AABB").find("read from this radio"), std::string::npos);
  const std::string other = record::ProvenanceNote(r.reader, r.image, "CCDD");
  EXPECT_NE(other.find("other identification data (AABB, this radio: CCDD)"), std::string::npos) << other;
}
