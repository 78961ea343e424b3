#pragma once
// One connection to the shop's PostgreSQL server through libpq, for one thread. Every wait for
// the server polls its socket in short steps, gives up after a patience of its own and whenever
// asked to stop, so that a server that is paused, stopped or out of reach never holds the
// program: not its work, not its end.

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "common/Bytes.h"

struct pg_conn;

namespace qxt::record {

class PgConnection {
 public:
  // A parameter of a statement: text, bytes (sent as binary) or NULL.
  struct Param {
    std::optional<std::string> text;
    bool binary = false;
  };
  using Row = std::vector<std::optional<std::string>>;
  struct Result {
    bool ok = false;
    std::string error, sqlstate;  // sqlstate empty: the connection failed, not the statement
    std::vector<Row> rows;
  };

  static constexpr int kConnectPatienceMs = 10000;
  static constexpr int kReplyPatienceMs = 60000;
  static constexpr int kStatementTimeoutMs = 30000;

  // stop: set by another thread to give up any wait at once.
  explicit PgConnection(const std::atomic<bool>* stop = nullptr) : stop_(stop) {}
  ~PgConnection() { Close(); }
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // conninfo: a libpq connection string or URI; time-outs and keepalives are added unless it
  // names them itself.
  bool Open(const std::string& conninfo, std::string& why);
  void Close();
  bool open() const { return conn_ != nullptr; }
  // One statement with parameters ($1...), or several without; rows come as text.
  Result Exec(const std::string& sql, const std::vector<Param>& params = {});

  static Param Text(std::string text) { return {std::move(text), false}; }
  static Param Null() { return {std::nullopt, false}; }
  static Param Binary(const Bytes& bytes) { return {std::string(bytes.begin(), bytes.end()), true}; }
  // A bytea column as text ("\x0a1b...") back to its bytes.
  static Bytes FromHex(const std::string& text);

 private:
  // Waits until the socket is readable (or writable); false on stop, time-out or failure.
  bool Wait(bool forWrite, long long deadlineMs);
  bool Stopped() const { return stop_ != nullptr && stop_->load(); }
  Result Fail(const std::string& why);

  const std::atomic<bool>* stop_;
  pg_conn* conn_ = nullptr;
};

}  // namespace qxt::record
