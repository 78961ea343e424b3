#pragma once
// A PostgreSQL server for the tests, on a Unix socket only: the fixture's (QXT_PG_DIR, started
// and stopped by CTest around the tests) or one of a test's own, which it may stop, start again
// and pause. Each test works in a database of its own.
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "record/PgConnection.h"

namespace qxt::test {

class PgTestServer {
 public:
  // Whether the server's programs are installed (else the tests skip).
  static bool Installed() {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator("/usr/lib/postgresql", ec)) {
      if (std::filesystem::exists(e.path() / "bin/initdb")) return true;
    }
    return false;
  }

  // own: a new server in a folder of its own; else the fixture's.
  explicit PgTestServer(bool own) : own_(own) {
    if (own) {
      std::string tmpl = "/tmp/qxt-pg-own-XXXXXX";
      dir_ = ::mkdtemp(tmpl.data()) != nullptr ? tmpl : "";
      started_ = Script("fresh");
    } else {
      const char* shared = std::getenv("QXT_PG_DIR");
      dir_ = shared != nullptr ? shared : "";
      started_ = !dir_.empty();
    }
  }
  ~PgTestServer() {
    if (own_) {
      Pause(false);
      Script("destroy");
    }
  }
  PgTestServer(const PgTestServer&) = delete;
  PgTestServer& operator=(const PgTestServer&) = delete;

  bool started() const { return started_; }
  std::string Conninfo(const std::string& db = "postgres") const {
    return "host=" + dir_ + "/sock port=5432 user=postgres dbname=" + db;
  }
  std::string socketPath() const { return dir_ + "/sock/.s.PGSQL.5432"; }
  // A new database for one test; its connection string.
  std::string NewDatabase() {
    static std::atomic<int> n{0};
    const std::string name = "t" + std::to_string(getpid()) + "_" + std::to_string(++n);
    record::PgConnection c;
    std::string why;
    if (!c.Open(Conninfo(), why) || !c.Exec("CREATE DATABASE " + name).ok) return "";
    return Conninfo(name);
  }

  bool Start() { return Script("start"); }
  void Stop() { Script("stop"); }
  // The server and every process of it stopped (SIGSTOP) or let go on (SIGCONT).
  void Pause(bool on) {
    const pid_t main = Postmaster();
    if (main <= 0) return;
    std::vector<pid_t> all{main};
    for (pid_t child : Children(main)) all.push_back(child);
    for (pid_t p : all) kill(p, on ? SIGSTOP : SIGCONT);
  }

 private:
  bool Script(const std::string& command) const {
    if (dir_.empty()) return false;
    return std::system((std::string(QXT_PG_SCRIPT) + " " + command + " " + dir_ + " >/dev/null 2>&1").c_str()) == 0;
  }
  pid_t Postmaster() const {
    std::ifstream in(dir_ + "/data/postmaster.pid");
    long pid = 0;
    in >> pid;
    return static_cast<pid_t>(pid);
  }
  static std::vector<pid_t> Children(pid_t parent) {
    std::vector<pid_t> out;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return out;
    while (dirent* e = readdir(proc)) {
      const pid_t pid = static_cast<pid_t>(std::atol(e->d_name));
      if (pid <= 0) continue;
      std::ifstream stat("/proc/" + std::string(e->d_name) + "/stat");
      std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
      const size_t close = text.rfind(')');
      if (close == std::string::npos) continue;
      char state = 0;
      long ppid = 0;
      if (std::sscanf(text.c_str() + close + 1, " %c %ld", &state, &ppid) == 2 && ppid == parent) out.push_back(pid);
    }
    closedir(proc);
    return out;
  }

  bool own_;
  std::string dir_;
  bool started_ = false;
};

}  // namespace qxt::test
