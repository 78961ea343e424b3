// Any EEPROM image through the object directory, the channel decoder and the listings.
#include <cstddef>
#include <cstdint>

#include "memory/ObjectDirectory.h"
#include "memory/clsIndEep_RigK70R.h"

using namespace qxt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  memory::clsCmcRadio radio;
  memory::clsCmcEeprom& ee = radio.eepImage();
  // The input is laid over the start of the image, where the directory and channels live.
  for (size_t i = 0; i < size && i < 32112; ++i) ee.WriteByte(static_cast<int32_t>(i), data[i]);
  memory::ObjectDirectory dir(ee);
  memory::clsIndEep_RigK70R dec(radio);
  for (int obj : {2, 3, 6, 0, 65535}) {
    dir.Obj_Address(obj);
    dir.Obj_Number(obj);
    dir.Obj_Size(obj);
  }
  dec.RigK70REep_SetCommonAddress(dir.Obj_Address(6));
  const int32_t base = dir.Obj_Address(2);
  for (int16_t ch : {-1, 0, 1, 9, 39, 40, 41, 32767}) {
    dec.RigK70REep_GetChAppear(base, ch);
    dec.RigK70REep_GetChFreqRxReal(base, ch);
    dec.RigK70REep_GetChFreqTxReal(base + 4, ch);
    dec.RigK70REep_GetChMode(base, ch);
    dec.RigK70REep_GetChModeDig(base, ch);
    dec.RigK70REep_GetChRFPower(dir.Obj_Address(3), ch);
    dec.RigK70REep_GetChName(ch);
  }
  if (dec.ParameterListing().size() != 66 * 36 + 43) __builtin_trap();
  if (data[0] == 0x5A) {  // the hex listing is long; take it now and then
    std::string text;
    dec.RigK70REep_DispDebug(text);
  }
  return 0;
}
