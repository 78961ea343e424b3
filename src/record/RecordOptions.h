#pragma once
// The [RECORD] options: where the shop's record is and which bench this is.
//   Server=  a libpq connection string or URI (postgresql://bench3@records.shop.lan/service,
//            service=shop); empty: this bench's own file only. A password in it is never used:
//            passwords come from ~/.pgpass or the service file.
//   Bench=   this bench's name in the shop's record (default: the host name)

#include <string>
#include <vector>

#include "common/OptionsFile.h"

namespace qxt::record {

struct RecordOptions {
  static constexpr const char* kSection = "RECORD";

  std::string server;
  std::string bench;

  bool shared() const { return !server.empty(); }

  // Reads the section; a password in Server is taken out, with a sentence in notices. The
  // server given for this run (ServerForThisRun) replaces the option's.
  static RecordOptions Load(const common::OptionsFile& file, std::vector<std::string>& notices);
  // --record-server: the server of this run, not saved.
  static void ServerForThisRun(const std::string& conninfo);
  // The connection string without a password (URI user:password@, password=...); had: whether
  // there was one.
  static std::string WithoutPassword(const std::string& conninfo, bool& had);
  static std::string HostName();
};

}  // namespace qxt::record
