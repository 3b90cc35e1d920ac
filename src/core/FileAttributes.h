// File attribute bits as the system reports them in find data.
#pragma once

#include <cstdint>

namespace fm::file_attribute {

inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kReparsePoint = 0x400;
inline constexpr std::uint32_t kCompressed = 0x800;
inline constexpr std::uint32_t kEncrypted = 0x4000;

}  // namespace fm::file_attribute
