#include "record/ShopRecord.h"

namespace qxt::record {

ShopRecord::ShopRecord(const std::string& recordPath, std::string conninfo, bool send)
    : conninfo_(std::move(conninfo)), reader_(conninfo_) {
  if (send) sender_ = std::make_unique<RecordSender>(recordPath, conninfo_);
}

std::string ShopRecord::Clock(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[8];
  std::strftime(text, sizeof text, "%H:%M", &local);
  return text;
}

const RecordReader& ShopRecord::Reader(const RecordReader& local, std::time_t now) {
  // A bench whose sender is out of touch with the server does not make the window wait for it.
  if (sender_ && sender_->status().link != RecordSender::Link::kConnected) {
    readProblem_ = "The shop's record on " + conninfo_ + " is out of reach; this bench's own record is shown.";
    return local;
  }
  if (reader_.connected()) return reader_;
  if (!readProblem_.empty() && now - readTried_ < kReadRetrySeconds) return local;
  readTried_ = now;
  std::string why;
  if (reader_.Connect(why)) {
    readProblem_.clear();
    return reader_;
  }
  readProblem_ =
      "The shop's record on " + conninfo_ + " cannot be read (" + why + "); this bench's own record is shown.";
  return local;
}

std::string ShopRecord::Notice(std::time_t now) {
  if (!sender_) return "";
  const RecordSender::Status s = sender_->status();
  std::string text;
  if (s.link == RecordSender::Link::kNewerServer && s.waiting > 0) {
    text = "The server's record is newer than this program (" + s.problem + "): " + std::to_string(s.waiting) +
           " events stay on this bench until the program is updated.";
  } else if (s.waiting > 0 && (s.link != RecordSender::Link::kConnected || now - s.since >= kLagSeconds)) {
    text = std::to_string(s.waiting) + " events waiting for the server since " + Clock(s.since);
    backlogTold_ = true;
  } else if (s.waiting == 0 && backlogTold_) {
    text = "The events waiting for the server arrived at " + Clock(now) + ".";
    backlogTold_ = false;
  }
  if (text.empty() || text == told_) return "";
  // A count that only grows is told every so often, not with every event.
  const bool sameKind = text.find(" waiting for the server since ") != std::string::npos &&
                        told_.find(" waiting for the server since ") != std::string::npos;
  if (sameKind && now - toldAt_ < kRetellSeconds) return "";
  told_ = text;
  toldAt_ = now;
  return text;
}

std::string ShopRecord::Describe() const {
  std::string text = "The shop's record is on the server " + conninfo_ + ".";
  if (!sender_) return text + (reader_.connected() ? " It is connected." : "");
  const RecordSender::Status s = sender_->status();
  switch (s.link) {
    case RecordSender::Link::kConnected:
      text += " It is connected.";
      break;
    case RecordSender::Link::kStarting:
      text += " The bench is connecting to it.";
      break;
    case RecordSender::Link::kNewerServer:
      text += " Its record is newer than this program knows; nothing is written to it (" + s.problem + ").";
      break;
    case RecordSender::Link::kOffline:
      text += " It cannot be reached (" + s.problem + "); the bench goes on and sends what waits later.";
      break;
    case RecordSender::Link::kRefused:
      text += " It refused what this bench sent (" + s.problem + ").";
      break;
  }
  text += " " + std::to_string(s.waiting) + " events waiting for the server";
  if (s.waiting > 0) text += " since " + Clock(s.since);
  return text + "; " + std::to_string(s.sent) + " sent since the program started.";
}

}  // namespace qxt::record
