#include "record/RecordOptions.h"

#include <unistd.h>

#include <cctype>

namespace qxt::record {

namespace {

std::string& ThisRun() {
  static std::string server;
  return server;
}

std::string Trim(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b])) != 0) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1])) != 0) --e;
  return text.substr(b, e - b);
}

// URI form: the password between "user:" and "@", and a password=... among the parameters.
std::string UriWithoutPassword(std::string uri, bool& had) {
  const size_t scheme = uri.find("://") + 3;
  const size_t hostEnd = uri.find_first_of("/?", scheme);
  const size_t at = uri.rfind('@', hostEnd == std::string::npos ? uri.size() : hostEnd);
  if (at != std::string::npos && at >= scheme) {
    const size_t colon = uri.find(':', scheme);
    if (colon != std::string::npos && colon < at) {
      uri.erase(colon, at - colon);
      had = true;
    }
  }
  const size_t query = uri.find('?');
  if (query == std::string::npos) return uri;
  std::string kept;
  size_t start = query + 1;
  while (start <= uri.size()) {
    size_t end = uri.find('&', start);
    if (end == std::string::npos) end = uri.size();
    const std::string pair = uri.substr(start, end - start);
    if (pair.rfind("password=", 0) == 0) {
      had = true;
    } else if (!pair.empty()) {
      kept += (kept.empty() ? "" : "&") + pair;
    }
    start = end + 1;
  }
  return uri.substr(0, query) + (kept.empty() ? "" : "?" + kept);
}

// key = value pairs; a value may be quoted with '...' and hold \' and \\.
std::string PairsWithoutPassword(const std::string& text, bool& had) {
  std::string kept;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) ++i;
    const size_t begin = i;
    while (i < text.size() && text[i] != '=' && std::isspace(static_cast<unsigned char>(text[i])) == 0) ++i;
    const std::string key = text.substr(begin, i - begin);
    while (i < text.size() && (text[i] == '=' || std::isspace(static_cast<unsigned char>(text[i])) != 0)) ++i;
    if (i < text.size() && text[i] == '\'') {
      for (++i; i < text.size() && text[i] != '\''; ++i) {
        if (text[i] == '\\') ++i;
      }
      ++i;
    } else {
      while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) == 0) ++i;
    }
    if (key.empty()) continue;
    if (key == "password") {
      had = true;
    } else {
      kept += (kept.empty() ? "" : " ") + text.substr(begin, std::min(i, text.size()) - begin);
    }
  }
  return kept;
}

}  // namespace

void RecordOptions::ServerForThisRun(const std::string& conninfo) { ThisRun() = conninfo; }

std::string RecordOptions::WithoutPassword(const std::string& conninfo, bool& had) {
  had = false;
  const std::string text = Trim(conninfo);
  if (text.rfind("postgresql://", 0) == 0 || text.rfind("postgres://", 0) == 0) return UriWithoutPassword(text, had);
  return PairsWithoutPassword(text, had);
}

std::string RecordOptions::HostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "bench";
  return name;
}

RecordOptions RecordOptions::Load(const common::OptionsFile& file, std::vector<std::string>& notices) {
  RecordOptions o;
  const bool fromRun = !ThisRun().empty();
  const std::string server = fromRun ? ThisRun() : file.ReadKey(kSection, "Server", "");
  bool had = false;
  o.server = WithoutPassword(server, had);
  if (had) {
    notices.push_back(std::string("The record server ") +
                      (fromRun ? "given on the command line" : "in [RECORD] Server") +
                      " held a password; it was left out. Passwords belong in ~/.pgpass or the service file.");
  }
  o.bench = Trim(file.ReadKey(kSection, "Bench", ""));
  if (o.bench.empty()) o.bench = HostName();
  return o;
}

}  // namespace qxt::record
