#include "core/VersionText.h"

#include <array>

namespace fm {

namespace {

constexpr std::uint32_t kFileTypeDriver = 3;
constexpr std::uint32_t kFileTypeFont = 4;

constexpr std::array<const wchar_t*, 11> kDriverNames = {
    L"Unknown Driver",  L"Printer Driver", L"Keyboard Driver",  L"Language Driver",
    L"Display Driver",  L"Mouse Driver",   L"Network Driver",   L"System Driver",
    L"InstallableDriver", L"Sound Driver", L"Communications Driver"};

constexpr std::array<const wchar_t*, 4> kFontNames = {L"Unknown Font", L"Raster Font", L"Vector Font",
                                                      L"Truetype Font"};

void AppendHex(std::wstring& text, std::uint32_t value, int digits) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::wstring FileFunctionText(std::uint32_t fileType, std::uint32_t fileSubtype) {
  switch (fileType) {
    case 0:
      return L"Unknown";
    case 1:
      return L"Application";
    case 2:
      return L"DLL";
    case kFileTypeDriver:
      return fileSubtype < kDriverNames.size() ? kDriverNames[fileSubtype] : L"";
    case kFileTypeFont:
      return fileSubtype < kFontNames.size() ? kFontNames[fileSubtype] : L"";
    case 5: {
      std::wstring text = L"Virtual Defice Identifier = ";
      AppendHex(text, fileSubtype, 8);
      return text;
    }
    case 7:
      return L"Static-link Library";
    default:
      return L"";
  }
}

bool HasFileFlag(std::uint32_t flagsMask, std::uint32_t flags, std::uint32_t flag) {
  return (flagsMask & flags & flag) == flag;
}

std::wstring VersionStringPath(std::uint32_t translation, std::wstring_view key) {
  std::wstring path = L"\\StringFileInfo\\";
  AppendHex(path, translation & 0xFFFF, 4);
  AppendHex(path, translation >> 16, 4);
  path += L'\\';
  path += key;
  return path;
}

std::wstring ApplicationTitle(std::wstring_view productName, std::wstring_view fileVersion) {
  std::wstring title(productName);
  title += L" v";
  title += fileVersion;
  return title;
}

std::wstring WindowCaption(std::wstring_view title, std::wstring_view legalCopyright) {
  std::wstring caption(title);
  caption += L' ';
  caption += legalCopyright;
  return caption;
}

}  // namespace fm
