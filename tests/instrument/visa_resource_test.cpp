#include "instrument/VisaResource.h"

#include <gtest/gtest.h>

namespace qxt::instrument {
namespace {

TEST(VisaResourceTest, ReadsTheSocketAndVxi11FormsAndRefusesTheRest) {
  struct Row {
    const char* text;
    bool ok;
    VisaKind kind;
    const char* host;
    int port;
    const char* device;
  };
  const Row rows[] = {
      {"TCPIP0::127.0.0.1::5025::SOCKET", true, VisaKind::kSocket, "127.0.0.1", 5025, ""},
      {"tcpip::gen.bench::5025::socket", true, VisaKind::kSocket, "gen.bench", 5025, ""},
      {"TCPIP0::10.0.0.7::inst0::INSTR", true, VisaKind::kVxi11, "10.0.0.7", 0, "inst0"},
      {"TCPIP1::10.0.0.7::INSTR", true, VisaKind::kVxi11, "10.0.0.7", 0, "inst0"},
      {"TCPIP0::10.0.0.7::gpib0,5::INSTR", true, VisaKind::kVxi11, "10.0.0.7", 0, "gpib0,5"},
      {"TCPIP0::host::0::SOCKET", false, {}, "", 0, ""},
      {"TCPIP0::host::70000::SOCKET", false, {}, "", 0, ""},
      {"TCPIP0::host::50x5::SOCKET", false, {}, "", 0, ""},
      {"TCPIP0::host::SOCKET", false, {}, "", 0, ""},
      {"GPIB0::7::INSTR", false, {}, "", 0, ""},
      {"TCPIPx::host::INSTR", false, {}, "", 0, ""},
      {"TCPIP0::::5025::SOCKET", false, {}, "", 0, ""},
      {"127.0.0.1:5025", false, {}, "", 0, ""},
      {"", false, {}, "", 0, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::string why;
    const auto r = VisaResource::Parse(row.text, why);
    ASSERT_EQ(r.has_value(), row.ok);
    if (!row.ok) {
      EXPECT_NE(why.find(row.text), std::string::npos);
      continue;
    }
    EXPECT_EQ(r->kind, row.kind);
    EXPECT_EQ(r->host, row.host);
    EXPECT_EQ(r->port, row.port);
    EXPECT_EQ(r->device, row.device);
  }
}

}  // namespace
}  // namespace qxt::instrument
