#include "sim/SimFaults.h"

#include <cstdlib>

namespace qxt::sim {

namespace {

bool ParseCount(const std::string& text, int& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || v < 0 || v > 100000) return false;
  out = static_cast<int>(v);
  return true;
}

}  // namespace

bool Faults::Set(const std::string& spec) {
  size_t sep = spec.find_first_of("= ");
  std::string name = spec.substr(0, sep);
  std::string arg = sep == std::string::npos ? "" : spec.substr(sep + 1);
  if (name == "bad-checksum") return ParseCount(arg, badChecksumBlock);
  if (name == "hangup") return ParseCount(arg, hangupAfterBlock);
  if (name == "missing-blocks") return ParseCount(arg, missingBlocks);
  if (name == "echo-stops") return ParseCount(arg, echoStopsAfter);
  bool* flag = nullptr;
  if (name == "no-echo") flag = &noEcho;
  if (name == "no-answer-inquiry") flag = &noAnswerInquiry;
  if (name == "no-answer-ad") flag = &noAnswerAd;
  if (name == "bad-count") flag = &badCount;
  if (name == "other-model") flag = &otherModel;
  if (name == "sub-0200") flag = &sub0200;
  if (name == "pos43-05") flag = &pos43;
  if (name == "short-e1") flag = &shortE1;
  if (name == "bad-ad") flag = &badAd;
  if (name == "garbage") flag = &garbage;
  if (name == "slow") flag = &slow;
  if (name == "refuse-write") flag = &refuseWrite;
  if (flag == nullptr || !arg.empty()) return false;
  *flag = true;
  return true;
}

std::string Faults::Describe() const {
  std::string out;
  auto add = [&](bool on, const std::string& name) {
    if (on) out += (out.empty() ? "" : " ") + name;
  };
  add(noEcho, "no-echo");
  add(noAnswerInquiry, "no-answer-inquiry");
  add(noAnswerAd, "no-answer-ad");
  add(badChecksumBlock >= 0, "bad-checksum=" + std::to_string(badChecksumBlock));
  add(badCount, "bad-count");
  add(otherModel, "other-model");
  add(sub0200, "sub-0200");
  add(pos43, "pos43-05");
  add(shortE1, "short-e1");
  add(badAd, "bad-ad");
  add(garbage, "garbage");
  add(hangupAfterBlock >= 0, "hangup=" + std::to_string(hangupAfterBlock));
  add(slow, "slow");
  add(missingBlocks >= 0, "missing-blocks=" + std::to_string(missingBlocks));
  add(refuseWrite, "refuse-write");
  add(echoStopsAfter >= 0, "echo-stops=" + std::to_string(echoStopsAfter));
  return out.empty() ? "none" : out;
}

}  // namespace qxt::sim
