#pragma once
// The receiving half of the frame driver: finds the echo of the frame just sent in what the line
// brings, then collects answer frames. The receiver takes any FE as a frame start and any FD as a
// frame end; bytes between frames are dropped. What waits between chunks is bounded: the last
// bytes of the echo search, and one frame body of at most the longest frame the protocol has
// (an E4 block of 255 bytes). A longer body is kept only as far as that and marked overlong, so
// that it is refused as a whole and never passes as a cut-down frame.

#include <cstddef>

#include "common/Bytes.h"

namespace qxt::link {

// Where the receiver is: dropping bytes, waiting for the echo, or waiting for answer frames.
enum class RxPhase : int16_t { kIdle = 0, kEcho = 1, kAnswer = 2 };

class FrameReceiver {
 public:
  // Bytes of earlier chunks kept for the echo search (at least the frame sent).
  static constexpr size_t kEchoWindow = 256;

  enum class Event { kNone, kEcho, kFrame };

  // Takes bytes of rx from pos on. Stops at the first event: the echo found (rx then holds what
  // followed it, from pos 0) or an answer frame complete (body() holds it). Returns kNone with
  // pos at the end when the bytes ran out first.
  Event Take(RxPhase phase, const Bytes& sent, Bytes& rx, size_t& pos);

  // The body of the frame just completed: from EF on, without FE and FD.
  const Bytes& body() const { return buf_; }
  // The body was longer than any frame of the protocol; body() holds its beginning.
  bool overlong() const { return overlong_; }
  // Drops a partial frame; the receiver is between frames again.
  void Clear();

 private:
  Event TakeEcho(const Bytes& sent, Bytes& rx, size_t& pos);
  Event TakeAnswer(const Bytes& rx, size_t& pos);
  void Append(const uint8_t* first, const uint8_t* last);

  Bytes buf_;
  bool outside_ = true;
  bool overlong_ = false;
};

}  // namespace qxt::link
