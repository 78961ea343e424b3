#include "common/Log.h"

#include <cstdio>
#include <ctime>

namespace qxt::common {

void LogLine(const std::string& text) {
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text[i] != '\n') {
      line += text[i];
    } else if (i + 1 < text.size() && text[i + 1] != '\r' && text[i + 1] != '\n') {
      line += " / ";
    }
  }
  std::fprintf(stderr, "qxt7130-adj: %s %s\n", TimeStamp("%Y-%m-%d %H:%M:%S").c_str(), line.c_str());
  std::fflush(stderr);
}

std::string TimeStamp(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[64];
  std::strftime(stamp, sizeof stamp, format, &local);
  return stamp;
}

}  // namespace qxt::common
