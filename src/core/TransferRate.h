// The speed of a running copy over the last few seconds, and the time left at that speed.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

namespace fm {

class TransferRate {
 public:
  explicit TransferRate(std::uint64_t windowMs = 3000) : windowMs_(windowMs) {}

  // bytesDone so far at nowMs (a steady clock); samples older than the window are dropped
  // while two remain.
  void Add(std::uint64_t nowMs, std::uint64_t bytesDone);
  // After a pause the time spent waiting must not count as slow copying.
  void Restart() { samples_.clear(); }
  // Bytes per second over the window; 0 until two samples lie at least 200 ms apart.
  std::uint64_t BytesPerSecond() const;

 private:
  struct Sample {
    std::uint64_t ms, bytes;
  };
  std::uint64_t windowMs_;
  std::deque<Sample> samples_;
};

// Whole seconds left for bytesLeft at bytesPerSecond, rounded up; nothing while the speed
// is unknown.
std::optional<std::uint64_t> SecondsLeft(std::uint64_t bytesLeft, std::uint64_t bytesPerSecond);

}  // namespace fm
