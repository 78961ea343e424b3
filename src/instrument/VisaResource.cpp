#include "instrument/VisaResource.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace qxt::instrument {

namespace {

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

std::vector<std::string> SplitOnDoubleColon(const std::string& text) {
  std::vector<std::string> parts;
  size_t from = 0;
  for (size_t at; (at = text.find("::", from)) != std::string::npos; from = at + 2) {
    parts.push_back(text.substr(from, at - from));
  }
  parts.push_back(text.substr(from));
  return parts;
}

bool BoardOk(const std::string& first) {
  const std::string u = Upper(first);
  if (u.rfind("TCPIP", 0) != 0) return false;
  return std::all_of(u.begin() + 5, u.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::optional<int> PortNumber(const std::string& text) {
  if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), ::isdigit)) return std::nullopt;
  const int port = std::stoi(text);
  if (port < 1 || port > 65535) return std::nullopt;
  return port;
}

}  // namespace

std::optional<VisaResource> VisaResource::Parse(const std::string& text, std::string& why) {
  const std::string form =
      "\"" + text + "\" is not an instrument address: write TCPIP0::host::5025::SOCKET or TCPIP0::host::inst0::INSTR.";
  const std::vector<std::string> parts = SplitOnDoubleColon(text);
  if (parts.size() < 3 || parts.size() > 4 || !BoardOk(parts[0]) || parts[1].empty() ||
      parts[1].find_first_of(" \t") != std::string::npos) {
    why = form;
    return std::nullopt;
  }
  VisaResource r;
  r.text = text;
  r.host = parts[1];
  const std::string kind = Upper(parts.back());
  if (kind == "SOCKET" && parts.size() == 4) {
    const auto port = PortNumber(parts[2]);
    if (!port) {
      why = "\"" + text + "\": the port of a SOCKET resource is a number from 1 to 65535.";
      return std::nullopt;
    }
    r.kind = VisaKind::kSocket;
    r.port = *port;
    return r;
  }
  if (kind == "INSTR") {
    r.kind = VisaKind::kVxi11;
    r.device = parts.size() == 4 ? parts[2] : "inst0";
    if (!r.device.empty()) return r;
  }
  why = form;
  return std::nullopt;
}

}  // namespace qxt::instrument
