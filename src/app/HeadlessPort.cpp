#include "app/HeadlessPort.h"

#include <cstdlib>

namespace qxt::app {

bool ChooseHeadlessPort(program::RigProgram& program, const CommandLine& cl) {
  for (const auto& mapping : cl.portDevices) {
    if (!program.com().portDevices().addOverride(mapping)) return false;
  }
  if (cl.port.empty()) return true;
  if ((cl.port.rfind("COM", 0) == 0 || cl.port.rfind("com", 0) == 0) && cl.port.size() <= 5) {
    const std::string digits = cl.port.substr(3);
    const int n = digits.empty() ? 0 : std::atoi(digits.c_str());
    if (n < link::frmCom::imdMinComPortNum || n > link::frmCom::imdmaxComPortNum) return false;
    program.main().setComPortNo(n);
    return true;
  }
  program.com().portDevices().setOverride(1, cl.port);
  program.main().setComPortNo(1);
  return true;
}

}  // namespace qxt::app
