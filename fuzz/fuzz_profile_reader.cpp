// Any file as the options file: reads of every kind, a write, and the path helpers.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "settings/clsCmcProfileIO.h"

using namespace qxt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string dir = "/tmp/qxt-fuzz-profile-" + std::to_string(::getpid()) + "/";
  ::mkdir(dir.c_str(), 0700);
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::ofstream(dir + "PJ5102K.rs", std::ios::binary | std::ios::trunc) << text;
  settings::clsCmcProfileIO prof;
  prof.setPath(dir);
  prof.setName("PJ5102K.rs");
  prof.setSection("OPTION");
  const settings::ProfileValue kinds[] = {int16_t{1}, int32_t{1}, uint8_t{1}, std::string("x"), true};
  for (const char* key : {"ComPort", "ComAutoRelease", "Date", "x"}) {
    for (const auto& kind : kinds) {
      settings::ProfileValue v = kind;
      prof.loadData(key, v);
    }
  }
  prof.ReadKey("PORTS", "COM1", "");
  if (size % 3 == 0) prof.saveData("ComPort", int16_t{3});
  settings::clsCmcProfileIO::GetPathName(text.substr(0, 200));
  settings::clsCmcProfileIO::GetFileName(text.substr(0, 200));
  return 0;
}
