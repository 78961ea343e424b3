#include "link/LinkFailure.h"

#include <utility>

#include "common/Common.h"
#include "common/Translate.h"

namespace qxt::link {

LinkFailure LinkFailure::CannotOpen(int16_t port, std::string detail) {
  LinkFailure f(Source::kPort, std::move(detail));
  f.port_ = port;
  return f;
}

LinkFailure LinkFailure::Overflow() { return LinkFailure(Source::kOverflow, ""); }

LinkFailure LinkFailure::Driver(DriverError code) {
  LinkFailure f(Source::kDriver, "");
  f.driver_ = code;
  return f;
}

LinkFailure LinkFailure::Sequencer(SequencerError code) {
  LinkFailure f(Source::kSequencer, "");
  f.sequencer_ = code;
  return f;
}

std::string LinkFailure::Text() const {
  ErrorExplanation explanation;
  switch (source_) {
    case Source::kPort:
      explanation = {{common::Compose(common::TrNoop("qxt", "Cannot access COM%1."), {common::SignedNumberText(port_)})},
                     CheckList::kA};
      break;
    case Source::kOverflow:
      explanation = {{common::TrNoop("qxt", "COM buffer overflow.")}, CheckList::kA};
      break;
    case Source::kDriver:
      explanation = Explain(driver_);
      break;
    case Source::kSequencer:
      explanation = Explain(sequencer_);
      break;
  }
  std::vector<std::string> lines = explanation.lines;
  const std::vector<std::string> checks = CheckListLines(explanation.checks);
  if (!checks.empty()) {
    lines.emplace_back();
    lines.insert(lines.end(), checks.begin(), checks.end());
  }
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : "\r\n") + lines[i];
  return text;
}

std::string LinkFailure::Detail() const {
  if (source_ != Source::kPort || detail_.find("permission denied") == std::string::npos) return detail_;
  return detail_ + "\r\n\r\n" +
         common::TrNoop("qxt",
                        "Serial ports belong to the group dialout. Add the user to it (sudo adduser $USER dialout), "
                        "then log out and in again.");
}

bool LinkFailure::Unreachable() const {
  return source_ == Source::kPort || source_ == Source::kOverflow ||
         (source_ == Source::kDriver && (driver_ == DriverError::kNoEcho || driver_ == DriverError::kNoAnswer));
}

}  // namespace qxt::link
