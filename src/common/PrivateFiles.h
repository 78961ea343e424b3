#pragma once
// Files that hold customers' data (the service record, its copies and journal, the backups of
// radios' memories, protocol traces) are for the user alone, whatever the umask: folders 0700,
// files 0600.

#include <cstdio>
#include <string>

namespace qxt::common {

// Creates the folder (and any missing parent) and makes it 0700. False when it cannot.
bool MakePrivateDirectory(const std::string& path);
// Creates the file empty if it is missing, and makes it 0600. False when it cannot.
bool MakePrivateFile(const std::string& path);
// std::fopen for a file created 0600 (mode "w" or "a"; an existing file keeps its contents for "a").
std::FILE* OpenPrivate(const std::string& path, const char* mode);

}  // namespace qxt::common
