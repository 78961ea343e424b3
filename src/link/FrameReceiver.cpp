#include "link/FrameReceiver.h"

#include <algorithm>

#include "link/Protocol.h"

namespace qxt::link {

FrameReceiver::Event FrameReceiver::Take(RxPhase phase, const Bytes& sent, Bytes& rx, size_t& pos) {
  switch (phase) {
    case RxPhase::kEcho:
      return TakeEcho(sent, rx, pos);
    case RxPhase::kAnswer:
      return TakeAnswer(rx, pos);
    case RxPhase::kIdle:
      break;
  }
  pos = rx.size();
  return Event::kNone;
}

void FrameReceiver::Clear() {
  buf_.clear();
  outside_ = true;
  overlong_ = false;
}

// Looks for the whole frame just sent in what was kept of earlier chunks and in this chunk.
// The whole chunk is searched: when the answer follows the echo closely, one chunk may carry the
// echo and far more than a window of answer bytes. Between chunks only the last bytes stay.
FrameReceiver::Event FrameReceiver::TakeEcho(const Bytes& sent, Bytes& rx, size_t& pos) {
  buf_.insert(buf_.end(), rx.begin() + static_cast<std::ptrdiff_t>(pos), rx.end());
  pos = rx.size();
  auto found = std::search(buf_.begin(), buf_.end(), sent.begin(), sent.end());
  if (sent.empty() || found == buf_.end()) {
    const size_t keep = std::max(kEchoWindow, sent.size());
    if (buf_.size() > keep) buf_.erase(buf_.begin(), buf_.end() - static_cast<std::ptrdiff_t>(keep));
    return Event::kNone;
  }
  Bytes rest(found + static_cast<std::ptrdiff_t>(sent.size()), buf_.end());
  Clear();
  rx = std::move(rest);  // what followed the echo, under the phase that comes next
  pos = 0;
  return Event::kEcho;
}

FrameReceiver::Event FrameReceiver::TakeAnswer(const Bytes& rx, size_t& pos) {
  const auto begin = rx.begin() + static_cast<std::ptrdiff_t>(pos);
  const auto fe = std::find(begin, rx.end(), wire::kPreamble);
  const auto fd = std::find(begin, rx.end(), wire::kEnd);
  if (fe == rx.end()) {
    if (outside_) {
      pos = rx.size();
    } else if (fd == rx.end()) {
      Append(&*begin, rx.data() + rx.size());
      pos = rx.size();
    } else {
      Append(&*begin, &*fd);
      pos = static_cast<size_t>(fd - rx.begin());  // the FD stays and is dropped as outside
      return Event::kFrame;
    }
  } else if (fd == rx.end() || fe < fd) {
    // A frame starts; further FE bytes at the front are skipped the same way.
    pos = static_cast<size_t>(fe - rx.begin()) + 1;
    outside_ = false;
    overlong_ = false;
    buf_.clear();
  } else if (outside_) {
    // Bytes between frames up to the next FE are ignored; the frame after them is kept.
    pos = static_cast<size_t>(fe - rx.begin());
  } else {
    Append(&*begin, &*fd);
    pos = static_cast<size_t>(fd - rx.begin()) + 1;
    return Event::kFrame;
  }
  return Event::kNone;
}

void FrameReceiver::Append(const uint8_t* first, const uint8_t* last) {
  const auto room = static_cast<std::ptrdiff_t>(wire::kMaxBlockBody - std::min(buf_.size(), wire::kMaxBlockBody));
  if (last - first > room) {
    overlong_ = true;
    last = first + room;
  }
  buf_.insert(buf_.end(), first, last);
}

}  // namespace qxt::link
