#include "core/TransferRate.h"

namespace fm {

void TransferRate::Add(std::uint64_t nowMs, std::uint64_t bytesDone) {
  // A clock or a count that runs backwards starts the window anew.
  if (!samples_.empty() && (nowMs < samples_.back().ms || bytesDone < samples_.back().bytes)) {
    samples_.clear();
  }
  samples_.push_back({nowMs, bytesDone});
  while (samples_.size() > 2 && nowMs - samples_.front().ms > windowMs_) samples_.pop_front();
}

std::uint64_t TransferRate::BytesPerSecond() const {
  if (samples_.size() < 2) return 0;
  const Sample& first = samples_.front();
  const Sample& last = samples_.back();
  const std::uint64_t ms = last.ms - first.ms;
  if (ms < 200) return 0;
  const std::uint64_t bytes = last.bytes - first.bytes;
  // Split so that a large count times 1000 cannot overflow.
  return bytes / ms * 1000 + bytes % ms * 1000 / ms;
}

std::optional<std::uint64_t> SecondsLeft(std::uint64_t bytesLeft, std::uint64_t bytesPerSecond) {
  if (bytesPerSecond == 0) return std::nullopt;
  return bytesLeft / bytesPerSecond + (bytesLeft % bytesPerSecond != 0 ? 1 : 0);
}

}  // namespace fm
