#pragma once
// The port of a mode without a window: --port COMn or a device path (taken as COM 1 for this
// run), and the --port-device mappings.

#include "app/CommandLine.h"
#include "program/RigProgram.h"

namespace qxt::app {

// False when a --port or --port-device is not one the program can use.
bool ChooseHeadlessPort(program::RigProgram& program, const CommandLine& cl);

}  // namespace qxt::app
