#include "core/IniText.h"

#include <cstdint>
#include <unordered_map>

#include "core/CaseFold.h"
#include "core/ExtraInfoText.h"

namespace fm {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Adds a code point as one unit, or as two UTF-16 units where wchar_t is 16 bits wide.
void AppendCodePoint(std::wstring& text, std::uint32_t code) {
  if (sizeof(wchar_t) >= 4 || code < 0x10000) {
    text += static_cast<wchar_t>(code);
  } else {
    code -= 0x10000;
    text += static_cast<wchar_t>(0xD800 + (code >> 10));
    text += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
  }
}

std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<std::uint8_t>(bytes[i]);
    const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
    text += static_cast<wchar_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  return text;
}

std::wstring FromUtf8(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    int trail = 0;
    std::uint32_t code = 0;
    std::uint32_t least = 0;
    if (lead < 0x80) {
      text += static_cast<wchar_t>(lead);
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      trail = 1, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      trail = 2, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      trail = 3, code = lead & 0x07, least = 0x10000;
    } else {
      text += kReplacement;
      ++i;
      continue;
    }
    // A character that the end of the bytes cuts is dropped.
    if (i + trail >= bytes.size()) {
      bool onlyTrailBytes = true;
      for (std::size_t k = i + 1; k < bytes.size(); ++k)
        onlyTrailBytes = onlyTrailBytes && (static_cast<std::uint8_t>(bytes[k]) & 0xC0) == 0x80;
      if (onlyTrailBytes) break;
    }
    int taken = 0;
    while (taken < trail && i + 1 + taken < bytes.size() &&
           (static_cast<std::uint8_t>(bytes[i + 1 + taken]) & 0xC0) == 0x80) {
      code = code << 6 | (static_cast<std::uint8_t>(bytes[i + 1 + taken]) & 0x3F);
      ++taken;
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (taken < trail || code < least || code > 0x10FFFF || surrogate) {
      text += kReplacement;
    } else {
      AppendCodePoint(text, code);
    }
    i += 1 + static_cast<std::size_t>(taken);
  }
  return text;
}

// The value without one pair of matching quotes around it.
std::wstring_view Unquoted(std::wstring_view value) {
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

wchar_t FoldedChar(wchar_t c) {
  return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// A key within its section, compared as the profile functions compare names: letter case
// of A to Z aside. Nothing is copied: a file of thousands of keys is read at once.
struct FoldedName {
  std::wstring_view section;
  std::wstring_view key;
};

struct FoldedNameHash {
  std::size_t operator()(const FoldedName& name) const {
    std::size_t hash = 14695981039346656037ull;
    for (const std::wstring_view part : {name.section, name.key}) {
      for (const wchar_t c : part) hash = (hash ^ static_cast<std::size_t>(FoldedChar(c))) * 1099511628211ull;
      hash = (hash ^ 0xFFFF) * 1099511628211ull;
    }
    return hash;
  }
};

struct FoldedNameEqual {
  bool operator()(const FoldedName& a, const FoldedName& b) const {
    return EqualsAsciiNoCase(a.section, b.section) && EqualsAsciiNoCase(a.key, b.key);
  }
};

}  // namespace

std::optional<std::wstring> TextOfMarkedBytes(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
  if (bytes.starts_with("\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3));
  return std::nullopt;
}

std::vector<IniEntry> ParseIni(std::wstring_view text, bool cutShort) {
  if (cutShort) {
    const std::size_t lastBreak = text.find_last_of(L"\r\n");
    text = text.substr(0, lastBreak == std::wstring_view::npos ? 0 : lastBreak);
  }
  std::vector<IniEntry> entries;
  // Where each key of a section was first given its value.
  std::unordered_map<FoldedName, std::size_t, FoldedNameHash, FoldedNameEqual> firstOf;
  std::optional<std::wstring_view> section;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view line = text.substr(start, end - start);
    start = end + 1;
    // What follows a zero is beyond the end of the texts the system hands out.
    line = TrimBlanksAndControls(line.substr(0, line.find(L'\0')));
    if (line.empty() || line.front() == L';') continue;
    if (line.front() == L'[') {
      section = TrimBlanksAndControls(line.substr(1, line.find(L']') - 1));
      continue;
    }
    const std::size_t equals = line.find(L'=');
    if (!section || equals == std::wstring_view::npos) continue;
    IniEntry entry{*section, TrimBlanksAndControls(line.substr(0, equals)),
                   Unquoted(TrimBlanksAndControls(line.substr(equals + 1)))};
    if (entry.key.empty()) continue;
    const auto [first, isNew] = firstOf.try_emplace({entry.section, entry.key}, entries.size());
    if (!isNew) entry.value = entries[first->second].value;
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace fm
