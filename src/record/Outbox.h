#pragma once
// The rows of this bench's record still owed to the shop's server, read from the record's file
// on a connection of their own (the sender's thread): oldest first, each with its values as the
// server takes them, and taken off the list once the server has committed them.

#include <SQLiteCpp/Database.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "record/PendingWrite.h"

namespace qxt::record {

class Outbox {
 public:
  // One row: its table on the server and its values, in the order of ShipColumns(table).
  struct Row {
    int64_t seq = 0;
    std::string table;
    std::vector<Field> values;
  };
  struct Backlog {
    int64_t count = 0;
    std::time_t since = 0;  // when the oldest was written
  };

  static constexpr int kBusyTimeoutMs = 5000;

  explicit Outbox(std::string path) : path_(std::move(path)) {}

  // The key of this file's rows on the server.
  bool Origin(std::string& origin, std::string& why);
  // Up to limit rows in the order they were written; a row owed twice is given once, as it
  // stands now.
  bool Next(size_t limit, std::vector<Row>& rows, std::string& why);
  // The rows up to seq reached the server.
  bool Remove(int64_t upToSeq, std::string& why);
  Backlog Waiting();
  void Close() { db_.reset(); }

  // The tables shipped, and their columns as the server names them (after origin).
  static const std::vector<std::string>& Tables();
  static const std::vector<std::string>& ShipColumns(const std::string& table);

 private:
  SQLite::Database& Db();

  std::string path_;
  std::unique_ptr<SQLite::Database> db_;
};

}  // namespace qxt::record
