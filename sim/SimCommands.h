#pragma once
// Commands that change the simulated bench while it runs (one per line on standard input;
// the command-line options map onto the same commands):
//   signal s1|s3|off       the level applied at the antenna
//   temp C                 ambient temperature in degrees Celsius
//   vin V                  supply voltage
//   centre t1|t2 N         plateau centre of BPF T1 or T2 (0..255)
//   block N                data bytes per clone-read block (1..255)
//   fault NAME[=N]         switch a fault on (see SimFaults.h); "fault clear" switches all off
//   status                 prints the bench, the faults and the live settings
//   help                   lists these commands
//   quit                   ends the simulator

#include <string>

#include "sim/SimRadio.h"

namespace qxt::sim {

enum class CommandResult { kOk, kQuit, kError };

CommandResult ApplyCommand(const std::string& line, SimRadio& radio, std::string& reply);

}  // namespace qxt::sim
