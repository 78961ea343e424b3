#pragma once
// Faults the simulated radio produces on demand, by name (command line and standard input):
//   no-echo               the cable returns nothing
//   no-answer-inquiry     E0 goes unanswered
//   no-answer-ad          A/D requests go unanswered
//   bad-checksum=N        block N of a clone read (N from 0; block N holds address N*16) is corrupt
//   bad-count             the E5 frame carries a wrong block count
//   other-model           the inquiry answer names model 2928
//   sub-0200              the inquiry answer names sub code 0200
//   pos43-05              the inquiry answer carries 05 at position 43
//   short-e1              the inquiry answer body is 60 bytes long
//   bad-ad                A/D answers carry non-hex digits
//   garbage               random bytes (never FE) between answer frames
//   hangup=N              the line is hung up after block N of the next clone read (once)
//   slow                  every answer comes 1300 ms late
//   missing-blocks=N      a clone read leaves out its last N blocks; its E5 counts those sent
//   refuse-write          a clone write is answered with E6 status 01
//   echo-stops=N          after N more frames from the PC the cable echoes nothing

#include <string>

namespace qxt::sim {

struct Faults {
  bool noEcho = false;
  bool noAnswerInquiry = false;
  bool noAnswerAd = false;
  int badChecksumBlock = -1;
  bool badCount = false;
  bool otherModel = false;
  bool sub0200 = false;
  bool pos43 = false;
  bool shortE1 = false;
  bool badAd = false;
  bool garbage = false;
  int hangupAfterBlock = -1;
  bool slow = false;
  int missingBlocks = -1;
  bool refuseWrite = false;
  int echoStopsAfter = -1;

  // "name" or "name=N" (also "name N"); false for an unknown name or a missing number.
  bool Set(const std::string& spec);
  void Clear() { *this = Faults{}; }
  std::string Describe() const;
};

}  // namespace qxt::sim
