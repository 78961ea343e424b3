#include "link/CloneErrorText.h"

#include "common/Common.h"
#include "common/Translate.h"

namespace qxt::link {

namespace {

ErrorExplanation Choose(const CloneErrorState& s) {
  if (s.errCannotOpen)
    return {{common::Compose(common::TrNoop("qxt", "Cannot access COM%1."), {common::SignedNumberText(s.comPortNum)})},
            CheckList::kA};
  if (s.errOverflow) return {{common::TrNoop("qxt", "COM buffer overflow.")}, CheckList::kA};
  if (s.driverLastError != DriverError::kNone) return Explain(s.driverLastError);
  return Explain(s.sequencerError);
}

}  // namespace

std::string CloneErrorText(const CloneErrorState& state) {
  const ErrorExplanation explanation = Choose(state);
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

std::string PortFailureDetail(const std::string& failure) {
  if (failure.find("permission denied") == std::string::npos) return failure;
  return failure + "\r\n\r\n" +
         common::TrNoop("qxt",
                        "Serial ports belong to the group dialout. Add the user to it (sudo adduser $USER dialout), "
                        "then log out and in again.");
}

}  // namespace qxt::link
