#pragma once
// Where a bench instrument is, written the way instrument software writes it:
//   TCPIP0::host::5025::SOCKET    SCPI lines over a plain TCP socket (the port is given)
//   TCPIP0::host::inst0::INSTR    VXI-11 (ONC RPC), the device named inst0
//   TCPIP0::host::INSTR           VXI-11 with the usual device inst0
// The board number after TCPIP may be left out; keywords are read without regard to case.

#include <optional>
#include <string>

namespace qxt::instrument {

enum class VisaKind { kSocket, kVxi11 };

struct VisaResource {
  VisaKind kind = VisaKind::kSocket;
  std::string host;
  int port = 0;        // kSocket only
  std::string device;  // kVxi11 only
  std::string text;    // as given, for messages

  // The resource, or nullopt with why set to a sentence for the technician.
  static std::optional<VisaResource> Parse(const std::string& text, std::string& why);
};

}  // namespace qxt::instrument
