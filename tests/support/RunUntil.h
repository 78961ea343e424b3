#pragma once
// The one waiting loop of the tests and benchmarks: a step repeated until a condition holds or a
// guard gives up, so that a fault fails a test instead of hanging it.
#include <chrono>
#include <functional>

namespace qxt::test {

// Gives up after n steps: rigs on a settable clock, where a step is one tick.
class StepLimit {
 public:
  explicit StepLimit(int steps) : left_(steps) {}
  bool operator()() { return left_-- <= 0; }

 private:
  int left_;
};

// Gives up after ms of real time: rigs on the real clock and the event loop.
class TimeLimit {
 public:
  explicit TimeLimit(int ms) : end_(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)) {}
  bool operator()() const { return std::chrono::steady_clock::now() > end_; }

 private:
  std::chrono::steady_clock::time_point end_;
};

// Steps until done holds; false when the guard gave up first.
template <class Step, class Guard>
bool RunUntil(const std::function<bool()>& done, Step&& step, Guard guard) {
  while (!done()) {
    if (guard()) return false;
    step();
  }
  return true;
}

}  // namespace qxt::test
