#include "instrument/LxiTransport.h"

#include <lxi.h>

#include <chrono>
#include <csignal>
#include <mutex>

namespace qxt::instrument {

namespace {

void InitOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    std::signal(SIGPIPE, SIG_IGN);
    lxi_init();
  });
}

}  // namespace

std::string LxiTransport::Open(const VisaResource& resource, int timeoutMs) {
  InitOnce();
  Close();
  vxi11_ = resource.kind == VisaKind::kVxi11;
  const int port = vxi11_ ? 0 : resource.port;
  const char* name = vxi11_ ? resource.device.c_str() : nullptr;
  device_ = lxi_connect(resource.host.c_str(), port, name, timeoutMs, vxi11_ ? VXI11 : RAW);
  if (device_ == LXI_ERROR) {
    device_ = -1;
    return "no connection to " + resource.host + (vxi11_ ? " (VXI-11)" : ":" + std::to_string(port));
  }
  return "";
}

bool LxiTransport::Send(const std::string& line, int timeoutMs) {
  if (device_ < 0) return false;
  const std::string out = line + "\n";
  return lxi_send(device_, out.c_str(), static_cast<int>(out.size()), timeoutMs) == static_cast<int>(out.size());
}

std::optional<std::string> LxiTransport::TakeLine() {
  const size_t nl = pending_.find('\n');
  if (nl == std::string::npos) return std::nullopt;
  std::string line = pending_.substr(0, nl);
  pending_.erase(0, nl + 1);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<std::string> LxiTransport::Receive(int timeoutMs) {
  if (device_ < 0) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (auto line = TakeLine()) return line;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return std::nullopt;
    char buf[4096];
    const int n = lxi_receive(device_, buf, sizeof buf, static_cast<int>(left));
    if (n <= 0) return std::nullopt;
    pending_.append(buf, static_cast<size_t>(n));
    if (vxi11_ && pending_.find('\n') == std::string::npos) {
      std::string whole;
      whole.swap(pending_);
      return whole;
    }
  }
}

void LxiTransport::Close() {
  if (device_ >= 0) lxi_disconnect(device_);
  device_ = -1;
  pending_.clear();
}

}  // namespace qxt::instrument
