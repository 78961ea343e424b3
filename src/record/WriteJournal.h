#pragma once
// The journal beside the record (service.sqlite.journal): the writes still waiting when the
// program ended, one line each, appended and never rewritten. The next start writes them into
// the record and removes the file.

#include <string>
#include <vector>

#include "record/PendingWrite.h"

namespace qxt::record {

class WriteJournal {
 public:
  explicit WriteJournal(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  // Appends the writes (the file is created for the user only). False when it cannot be written.
  bool Append(const std::vector<PendingWrite>& writes) const;
  // Every complete line; a line cut short by a crash is left out.
  std::vector<PendingWrite> Read() const;
  void Remove() const;

  static std::string Encode(const PendingWrite& w);
  static bool Decode(const std::string& line, PendingWrite& w);

 private:
  std::string path_;
};

}  // namespace qxt::record
