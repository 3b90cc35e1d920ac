// Path texts, typed-path completion among them, on any UTF-16 text: each piece a path is
// cut into is a part of it, and the pieces put back together give the path again.
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/PathText.h"

namespace {

bool IsPrefix(std::wstring_view part, std::wstring_view whole) {
  return whole.substr(0, part.size()) == part;
}

bool IsSuffix(std::wstring_view part, std::wstring_view whole) {
  return part.size() <= whole.size() && whole.substr(whole.size() - part.size()) == part;
}

bool BlankOrControl(wchar_t c) { return static_cast<std::uint32_t>(c) <= 0x20u; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const std::wstring path = input.Text();

  if (fm::IsDriveLetterPath(path)) FM_FUZZ_CHECK(path.substr(1, 2) == L":\\");

  const std::wstring clean = fm::CleanFinalPath(path);
  FM_FUZZ_CHECK(clean.size() <= path.size());
  FM_FUZZ_CHECK(clean.find(L'\0') == std::wstring::npos);
  FM_FUZZ_CHECK(clean.empty() || !BlankOrControl(clean.back()));
  // Trimming comes before the prefix is dropped, so only a text without one starts clean.
  if (path.find(L"\\\\?\\") == std::wstring::npos) {
    FM_FUZZ_CHECK(clean.empty() || !BlankOrControl(clean.front()));
  }

  const std::wstring typed = fm::CompleteTypedPath(path);
  FM_FUZZ_CHECK(IsPrefix(path, typed) && typed.size() <= path.size() + 2);
  FM_FUZZ_CHECK(typed.empty() || typed.back() != L':');
  if (path.size() == 1) FM_FUZZ_CHECK(typed == path + L":\\");

  const std::wstring name = fm::FileNamePart(path);
  FM_FUZZ_CHECK(IsSuffix(name, path));
  FM_FUZZ_CHECK(name.find_first_of(L"\\:") == std::wstring::npos);

  const std::wstring last = fm::LastPathPart(path);
  const std::wstring folder = fm::FolderPart(path);
  FM_FUZZ_CHECK(IsSuffix(last, path) && IsPrefix(folder, path));
  const auto backslash = path.rfind(L'\\');
  if (backslash == std::wstring::npos) {
    FM_FUZZ_CHECK(folder.empty() && last == path);
  } else if (backslash + 1 < path.size()) {
    // The folder keeps the backslash only after a drive's colon.
    const bool kept = backslash > 0 && path[backslash - 1] == L':';
    const std::wstring joined = kept ? folder + last : folder + L"\\" + last;
    FM_FUZZ_CHECK(joined == path);
  }
  return 0;
}
