#pragma once
// The event target of the console: the radio's operations (clsIndOp_RigK70R), which draw special
// lines, send special live commands and run Enter actions, each chosen by the item's event number.

#include <cstdint>
#include <string>

namespace qxt::console {

class clsConsole;

class ConsoleEvents {
 public:
  virtual ~ConsoleEvents() = default;
  // The whole text of the item's line.
  virtual std::string ConsEv_Disp(clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) = 0;
  virtual void ConsEv_SendE8(clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) = 0;
  virtual void ConsEv_Enter(clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) = 0;
  // The pause wanted after a live command, in milliseconds.
  virtual void WaitE8Required(int32_t Wt) = 0;
};

}  // namespace qxt::console
