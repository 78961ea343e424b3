#include "link/CloneErrorText.h"

#include <vector>

#include "common/Common.h"

namespace qxt::link {

namespace {

enum class CheckList { kNone, kA, kAWithGap, kB, kC };

struct Rule {
  std::vector<std::string> lines;
  CheckList list;
};

Rule ChooseRule(const CloneErrorState& s) {
  if (s.errCannotOpen) return {{"Cannot access COM" + common::SignedNumberText(s.comPortNum) + "."}, CheckList::kA};
  if (s.errOverflow) return {{"COM buffer overflow."}, CheckList::kA};
  switch (s.driverLastError) {
    case 0:
      break;
    case 1:
      return {{"Cannot access COM port"}, CheckList::kA};
    case 2:
      return {{"No answer from transceiver."}, CheckList::kA};
    case 3:
      return {{"Illegal data."}, CheckList::kA};
    case 4:
      return {{"Data counter error."}, CheckList::kA};
    case 5:
      return {{"Data overflow."}, CheckList::kA};
    case 6:
    case 7:
      return {{"Cannot write cloning data."}, CheckList::kB};
    default:
      return {{"Cannot Clone."}, CheckList::kAWithGap};
  }
  switch (s.sequencerError) {
    case 0:
      return {{"Communication failed."}, CheckList::kB};
    case 2:
      return {{"Version number does not match", "for this transceiver."}, CheckList::kNone};
    case 3:
      return {{"Connected transceiver is not compatible model."}, CheckList::kC};
    default:
      return {{"Cannot Clone."}, CheckList::kA};
  }
}

std::vector<std::string> CheckLines(CheckList list) {
  const std::string heading = "Check the following:";
  switch (list) {
    case CheckList::kA:
      return {heading, "- The COM port settings.", "- Cloning cable connections.", "- Transceiver power is ON."};
    case CheckList::kAWithGap:
      return {heading, "", "- The COM port settings.", "- Cloning cable connections.", "- Transceiver power is ON."};
    case CheckList::kB:
      return {heading, "- Cloning cable connections.", "- Transceiver power is ON."};
    case CheckList::kC:
      return {heading, "- Appropriate cloning software for the transceiver is being used.",
              "- The revision number of the transceiver."};
    case CheckList::kNone:
      break;
  }
  return {};
}

}  // namespace

std::string CloneErrorText(const CloneErrorState& state) {
  Rule rule = ChooseRule(state);
  std::vector<std::string> lines = rule.lines;
  std::vector<std::string> checks = CheckLines(rule.list);
  if (!checks.empty()) {
    lines.emplace_back();
    lines.insert(lines.end(), checks.begin(), checks.end());
  }
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : "\r\n") + lines[i];
  return text;
}

}  // namespace qxt::link
