#pragma once
// The shop's record as one bench sees it: the sender that ships this bench's rows to the server,
// the reader of every bench's sessions, and the sentence the status bar shows about them.

#include <ctime>
#include <memory>
#include <string>

#include "record/PgReader.h"
#include "record/RecordSender.h"

namespace qxt::record {

class ShopRecord {
 public:
  // A backlog is named once it is this old, or at once while the server is out of reach.
  static constexpr int kLagSeconds = 10;
  // A count that only grew is told again after this long.
  static constexpr int kRetellSeconds = 10;
  // A server that could not be read is asked again after this long.
  static constexpr int kReadRetrySeconds = 30;

  // send: this bench writes (a window, a transfer); the listings only read.
  ShopRecord(const std::string& recordPath, std::string conninfo, bool send);

  const std::string& server() const { return conninfo_; }
  void Nudge() {
    if (sender_) sender_->Nudge();
  }
  const RecordSender* sender() const { return sender_.get(); }
  // The server's record when it can be read, else local (and why() says why).
  const RecordReader& Reader(const RecordReader& local, std::time_t now);
  const std::string& why() const { return readProblem_; }
  // The status bar's sentence when it has changed since the last call, else "".
  std::string Notice(std::time_t now);
  // Where the record is and whether it is connected, in a few sentences.
  std::string Describe() const;

  static std::string Clock(std::time_t t);

 private:
  std::string conninfo_;
  std::unique_ptr<RecordSender> sender_;
  PgReader reader_;
  std::string readProblem_, told_;
  std::time_t readTried_ = 0, toldAt_ = 0;
  bool backlogTold_ = false;
};

}  // namespace qxt::record
