#include <algorithm>
#include <cstring>
#include <memory>

#include "core/PathText.h"
#include "platform/Shell.h"

namespace fm {

namespace {

struct CoTaskMemDeleter {
  void operator()(void* block) const noexcept { CoTaskMemFree(block); }
};

std::wstring FromAnsi(const char* text, const char* end) {
  const int length = static_cast<int>(std::find(text, end, '\0') - text);
  if (length == 0) return {};
  const int wide = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, length, result.data(), wide);
  return result;
}

// The text lies inside the item at a byte offset and ends with the item's first record at
// the latest. Its characters are 8-bit ANSI, as the shell's own STRRET_OFFSET names are.
std::wstring TextInItem(LPCITEMIDLIST item, UINT offset) {
  if (item == nullptr) return {};
  USHORT size = 0;
  std::memcpy(&size, item, sizeof size);
  if (offset >= size) return {};
  const char* first = reinterpret_cast<const char*>(item);
  return FromAnsi(first + offset, first + size);
}

}  // namespace

std::wstring DisplayNameOf(IShellFolder& folder, LPCITEMIDLIST item, bool forParsing) {
  return DisplayNameAs(folder, item, forParsing ? SHGDN_FORPARSING : SHGDN_NORMAL);
}

std::wstring DisplayNameAs(IShellFolder& folder, LPCITEMIDLIST item, SHGDNF flags) {
  STRRET name{};
  if (FAILED(folder.GetDisplayNameOf(item, flags, &name))) return {};
  switch (name.uType) {
    case STRRET_WSTR: {
      const std::unique_ptr<wchar_t, CoTaskMemDeleter> text(name.pOleStr);
      return text != nullptr ? std::wstring(text.get()) : std::wstring();
    }
    case STRRET_CSTR:
      return FromAnsi(name.cStr, name.cStr + sizeof name.cStr);
    case STRRET_OFFSET:
      return TextInItem(item, name.uOffset);
    default:
      return {};
  }
}

std::wstring ParsingNameOf(IShellFolder& folder, LPCITEMIDLIST item,
                           const std::wstring& folderPath) {
  std::wstring parsing = DisplayNameOf(folder, item, true);
  if (parsing.size() < MAX_PATH - 1) return parsing;
  const std::wstring own = DisplayNameAs(folder, item, SHGDN_INFOLDER | SHGDN_FORPARSING);
  const std::wstring ending = L"\\" + own;
  if (own.empty() ||
      (parsing.size() >= ending.size() &&
       parsing.compare(parsing.size() - ending.size(), ending.size(), ending) == 0)) {
    return parsing;
  }
  if (folderPath.empty()) return parsing;
  return JoinPath(folderPath, own);
}

}  // namespace fm
