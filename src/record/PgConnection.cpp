#include "record/PgConnection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace qxt::record {

namespace {

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

constexpr int kStepMs = 100;

std::string Trimmed(const char* text) {
  std::string s = text != nullptr ? text : "";
  while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
  return s;
}

}  // namespace

// The defaults come first and the caller's text last, so that what it names itself wins.
bool PgConnection::Open(const std::string& conninfo, std::string& why) {
  Close();
  const char* keys[] = {"connect_timeout",  "keepalives",       "keepalives_idle", "keepalives_interval",
                        "keepalives_count", "application_name", "dbname",          nullptr};
  const char* values[] = {"10", "1", "30", "10", "3", "qxt7130-adj", conninfo.c_str(), nullptr};
  conn_ = PQconnectStartParams(keys, values, 1);
  if (conn_ != nullptr)
    PQsetNoticeProcessor(
        conn_, [](void*, const char*) {}, nullptr);
  if (conn_ == nullptr) {
    why = "out of memory";
    return false;
  }
  const long long deadline = NowMs() + kConnectPatienceMs;
  PostgresPollingStatusType state = PGRES_POLLING_WRITING;
  while (PQstatus(conn_) != CONNECTION_BAD && state != PGRES_POLLING_OK && state != PGRES_POLLING_FAILED) {
    if (!Wait(state == PGRES_POLLING_WRITING, deadline)) {
      why = Stopped() ? "stopped" : "the server did not answer in time";
      Close();
      return false;
    }
    state = PQconnectPoll(conn_);
  }
  if (state != PGRES_POLLING_OK) {
    why = Trimmed(PQerrorMessage(conn_));
    Close();
    return false;
  }
  PQsetnonblocking(conn_, 1);
  PQsetNoticeProcessor(
      conn_, [](void*, const char*) {}, nullptr);  // the server's remarks are not for the bench
  const Result set = Exec("SET statement_timeout = " + std::to_string(kStatementTimeoutMs));
  if (!set.ok) {
    why = set.error;
    Close();
    return false;
  }
  return true;
}

void PgConnection::Close() {
  if (conn_ != nullptr) PQfinish(conn_);
  conn_ = nullptr;
}

bool PgConnection::Wait(bool forWrite, long long deadlineMs) {
  const int fd = PQsocket(conn_);
  if (fd < 0) return false;
  while (!Stopped()) {
    const long long left = deadlineMs - NowMs();
    if (left <= 0) return false;
    pollfd p{fd, static_cast<short>(forWrite ? POLLOUT : POLLIN), 0};
    const int n = poll(&p, 1, static_cast<int>(std::min<long long>(left, kStepMs)));
    if (n > 0) return true;
    if (n < 0 && errno != EINTR) return false;
  }
  return false;
}

PgConnection::Result PgConnection::Fail(const std::string& why) {
  Result r;
  r.error = why;
  Close();
  return r;
}

PgConnection::Result PgConnection::Exec(const std::string& sql, const std::vector<Param>& params) {
  if (conn_ == nullptr) return Fail("not connected");
  int sent = 0;
  if (params.empty()) {
    sent = PQsendQuery(conn_, sql.c_str());
  } else {
    std::vector<const char*> values;
    std::vector<int> lengths, formats;
    for (const Param& p : params) {
      values.push_back(p.text ? p.text->data() : nullptr);
      lengths.push_back(p.text ? static_cast<int>(p.text->size()) : 0);
      formats.push_back(p.binary ? 1 : 0);
    }
    sent = PQsendQueryParams(conn_, sql.c_str(), static_cast<int>(params.size()), nullptr, values.data(),
                             lengths.data(), formats.data(), 0);
  }
  if (sent == 0) return Fail(Trimmed(PQerrorMessage(conn_)));
  const long long deadline = NowMs() + kReplyPatienceMs;
  for (int flushed = PQflush(conn_); flushed != 0; flushed = PQflush(conn_)) {
    if (flushed < 0 || !Wait(true, deadline)) return Fail(Stopped() ? "stopped" : "the server took too long");
  }
  Result result;
  result.ok = true;
  for (;;) {
    while (PQisBusy(conn_) != 0) {
      if (!Wait(false, deadline)) return Fail(Stopped() ? "stopped" : "the server took too long to answer");
      if (PQconsumeInput(conn_) == 0) return Fail(Trimmed(PQerrorMessage(conn_)));
    }
    PGresult* r = PQgetResult(conn_);
    if (r == nullptr) break;
    const ExecStatusType status = PQresultStatus(r);
    if (status == PGRES_TUPLES_OK) {
      result.rows.clear();
      for (int row = 0; row < PQntuples(r); ++row) {
        Row values;
        for (int col = 0; col < PQnfields(r); ++col) {
          if (PQgetisnull(r, row, col) != 0) {
            values.emplace_back(std::nullopt);
          } else {
            values.emplace_back(std::string(PQgetvalue(r, row, col), static_cast<size_t>(PQgetlength(r, row, col))));
          }
        }
        result.rows.push_back(std::move(values));
      }
    } else if (status != PGRES_COMMAND_OK && result.ok) {
      result.ok = false;
      result.error = Trimmed(PQresultErrorMessage(r));
      const char* state = PQresultErrorField(r, PG_DIAG_SQLSTATE);
      result.sqlstate = state != nullptr ? state : "";
    }
    PQclear(r);
  }
  if (PQstatus(conn_) == CONNECTION_BAD) {
    Result gone = Fail(result.error.empty() ? "the connection was lost" : result.error);
    return gone;
  }
  return result;
}

Bytes PgConnection::FromHex(const std::string& text) {
  Bytes out;
  if (text.size() < 2 || text[0] != '\\' || text[1] != 'x') return out;
  auto nibble = [](char c) -> uint8_t {
    if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
    return static_cast<uint8_t>(c - 'A' + 10);
  };
  out.reserve((text.size() - 2) / 2);
  for (size_t i = 2; i + 1 < text.size(); i += 2)
    out.push_back(static_cast<uint8_t>(nibble(text[i]) << 4 | nibble(text[i + 1])));
  return out;
}

}  // namespace qxt::record
