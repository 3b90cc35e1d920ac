// The keys and values of an INI file such as desktop.ini, read from its bytes by the rules
// the system's profile functions follow.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fm {

// The most of an INI file that is read; what lies beyond is not looked at.
inline constexpr std::size_t kIniReadLimit = 64 * 1024;

// The text of bytes that begin with a byte-order mark of UTF-16 (either order) or UTF-8,
// the mark dropped; nothing when there is no mark and the bytes are in the system's code
// page. A character cut at the end is dropped, a malformed one becomes U+FFFD.
std::optional<std::wstring> TextOfMarkedBytes(std::string_view bytes);

// One key of an INI file; its parts are pieces of the text it was read from.
struct IniEntry {
  std::wstring_view section;
  std::wstring_view key;
  std::wstring_view value;

  bool operator==(const IniEntry&) const = default;
};

// Every key with a name under a section, in file order, as pieces of text (which must
// outlive them). Names and values are trimmed, a value loses the quotes around it, and a
// key met again in its section (letter case of A to Z aside, a section met again
// included) reads the value it was first given. Lines starting with ";" are comments.
// When cutShort, the text was cut at the read limit and its last, unfinished line is not
// read.
std::vector<IniEntry> ParseIni(std::wstring_view text, bool cutShort);

}  // namespace fm
