#pragma once
// A live sender that keeps what it is given: each command's data as the link writes it after the
// radio's codes ("0B3830"), and the command itself; the answer the test puts in is taken once.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/Common.h"
#include "link/LiveSender.h"
#include "link/Protocol.h"

namespace qxt::test {

struct FakeLiveSender : link::LiveSender {
  bool Send(const link::LiveCommand& c) override { return Keep(c); }
  bool Ask(const link::LiveCommand& c) override { return Keep(c); }
  std::optional<link::LiveAnswer> TakeAnswer() override { return std::exchange(answer, std::nullopt); }
  bool Busy() const override { return running; }

  bool Keep(const link::LiveCommand& c) {
    const Bytes data = link::wire::LiveCommandData({}, c);
    sent.push_back(common::ByteStrToHexStr(Bytes(data.begin() + 1, data.end())));
    return true;
  }

  std::vector<std::string> sent;
  std::optional<link::LiveAnswer> answer;
  bool running = false;
};

}  // namespace qxt::test
