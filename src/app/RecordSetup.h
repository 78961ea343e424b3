#pragma once
// The service record as a mode without a window opens it: this bench's file, and the shop's
// server when the options (or --record-server) name one.

#include <memory>
#include <ostream>

#include "record/ServiceRecord.h"

namespace qxt::app {

class RecordSetup {
 public:
  // The [RECORD] options of the options file the program uses, and --record-server; what they
  // had to say goes to notices.
  static record::RecordOptions Options(std::vector<std::string>& notices);
  // The record for reading, with its server; notices on err.
  static std::unique_ptr<record::ServiceRecord> ForReading(std::ostream& err);
};

}  // namespace qxt::app
