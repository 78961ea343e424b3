#pragma once
// The [BENCH] options: the signal generator on the bench and the levels the procedures set.
//   Generator=   a VISA resource (TCPIP0::host::5025::SOCKET, TCPIP0::host::inst0::INSTR); empty: none
//   BpfLevel=    dBm at the antenna for the band-pass sweep (-93, S9)
//   RssiS3Level= RssiS1Level=  dBm at the antenna for the two calibration points (-129, -141)
//   CableLoss=   dB between generator and antenna, added to every level sent (0)
//   MaxLevel=    dBm; a level above it is never sent (-10)
//   Settle=      ms after a change of the signal before a reading (300)
//   Timeout=     ms the generator has to answer (2000)
//   Setup=       SCPI commands sent once after connecting, separated by ";"
//   Sequence=    the procedures of "Align all" by their console titles, comma-separated

#include <string>
#include <vector>

#include "common/OptionsFile.h"

namespace qxt::instrument {

struct BenchOptions {
  static constexpr const char* kSection = "BENCH";
  static constexpr const char* kDefaultSequence = "BPF ALL, RX LVA, TX LVA, RSSI";

  std::string generator;
  double bpfLevel = -93.0;
  double rssiS3Level = -129.0;
  double rssiS1Level = -141.0;
  double cableLoss = 0.0;
  double maxLevel = -10.0;
  int settleMs = 300;
  int timeoutMs = 2000;
  std::string setup;
  std::string sequence = kDefaultSequence;

  bool configured() const { return !generator.empty(); }
  // The Setup commands one by one, and the Sequence titles one by one (trimmed, none empty).
  std::vector<std::string> SetupCommands() const;
  std::vector<std::string> SequenceTitles() const;

  // Reads the section; a value that is not a number in range keeps its default and adds a
  // sentence to notices. A Generator that is not a resource is dropped the same way.
  static BenchOptions Load(const common::OptionsFile& file, std::vector<std::string>& notices);
  // Writes the keys that differ from their defaults or are already in the file.
  bool Save(common::OptionsFile& file) const;
};

// Levels in the form they are sent and shown: up to two decimals, no trailing zeros (-129, -126.5).
std::string FormatLevel(double dbm);

}  // namespace qxt::instrument
