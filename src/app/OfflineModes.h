#pragma once
// The command-line modes that need neither a radio nor a display: --list, --diff, --history,
// --session and --radio. The record they read is the shop's when a server is set.

#include <cstdint>
#include <ostream>
#include <string>

#include "record/RecordReader.h"
#include "record/ServiceRecord.h"

namespace qxt::app {

class OfflineModes {
 public:
  // The 67-line listing of an image file on out; 0, or 2 when the file is not an image.
  static int List(const std::string& file, std::ostream& out, std::ostream& err);
  // The listing lines in which two image files differ: the label and both values. 0 when the
  // listings agree, 1 when they differ, 2 when a file is not an image.
  static int Diff(const std::string& a, const std::string& b, std::ostream& out, std::ostream& err);
  // The sessions of the service record, newest first, as columns or CSV. 0, or 1 when the
  // record cannot be opened.
  static int History(record::ServiceRecord& store, bool csv, std::ostream& out, std::ostream& err);
  // One session's events; 1 when the record has no such session. A record that cannot be read
  // (another schema) is 1 with a message in every mode.
  static int Session(record::ServiceRecord& store, int64_t session, bool csv, std::ostream& out, std::ostream& err);
  // Every session of the radio with this identification data (hex), oldest first, on every
  // bench; 1 when the record knows none.
  static int Radio(record::ServiceRecord& store, const std::string& identity, bool csv, std::ostream& out,
                   std::ostream& err);

 private:
  static int Events(const record::RecordReader& reader, int64_t session, bool csv, std::ostream& out,
                    std::ostream& err);
};

}  // namespace qxt::app
