#pragma once
// The program's log: one line per message shown or notice given, with the local date and time,
// on standard error, where a terminal, the system journal or a support request can find it.

#include <string>

namespace qxt::common {

// "qxt7130-adj: 2026-12-07 14:03:11 text", the lines of a multi-line text joined by " / ".
void LogLine(const std::string& text);
// The local date and time now in a strftime format.
std::string TimeStamp(const char* format);

}  // namespace qxt::common
