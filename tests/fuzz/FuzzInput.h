// What every fuzz target shares: fields read from the fuzzer's bytes, and a check that
// stops the run with a message when a rule breaks its own promise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

namespace fm::fuzz {

// Reads the input front to back. Numbers take their size in bytes, little-endian, zeros
// past the end. A text runs to the next 0 byte or the end; bytes below 0x80 stand for
// themselves and a byte from 0x80 on takes the next two as one UTF-16 unit, so seeds stay
// readable while every unit the system can hand over, NUL and lone surrogates included,
// can still be written.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Number() {
    static_assert(std::is_integral_v<T>);
    std::make_unsigned_t<T> value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
      value |= static_cast<std::make_unsigned_t<T>>(static_cast<std::make_unsigned_t<T>>(Byte())
                                                    << (8 * i));
    }
    return static_cast<T>(value);
  }

  bool Flag() { return (Byte() & 1) != 0; }

  std::wstring Text() {
    std::wstring text;
    while (pos_ < size_) {
      const std::uint8_t b = data_[pos_++];
      if (b == 0) break;
      if (b < 0x80) {
        text += static_cast<wchar_t>(b);
      } else {
        text += static_cast<wchar_t>(Number<std::uint16_t>());
      }
    }
    return text;
  }

  bool AtEnd() const { return pos_ >= size_; }
  std::size_t Remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }

 private:
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace fm::fuzz

#define FM_FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::fm::fuzz::CheckFailed(#condition, __FILE__, __LINE__))
