#include "core/ItemName.h"

#include <array>

#include "core/CaseFold.h"

namespace fm {

namespace {

constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|";

bool IsDeviceName(std::wstring_view name) {
  // The system takes "con.txt" for the device as well.
  const std::wstring_view stem = name.substr(0, name.find(L'.'));
  static constexpr std::array<std::wstring_view, 4> kPlain{L"CON", L"PRN", L"AUX", L"NUL"};
  for (const std::wstring_view device : kPlain) {
    if (EqualsAsciiNoCase(stem, device)) return true;
  }
  return stem.size() == 4 && (StartsWithAsciiNoCase(stem, L"COM") || StartsWithAsciiNoCase(stem, L"LPT")) &&
         stem[3] >= L'1' && stem[3] <= L'9';
}

}  // namespace

NameProblem ProblemOfName(std::wstring_view name) {
  if (name.find_first_not_of(L' ') == std::wstring_view::npos) return NameProblem::Empty;
  for (const wchar_t c : name) {
    if (c < 32 || kForbidden.find(c) != std::wstring_view::npos) return NameProblem::ForbiddenCharacter;
  }
  if (name.back() == L'.' || name.back() == L' ') return NameProblem::StrippedEnding;
  if (IsDeviceName(name)) return NameProblem::DeviceName;
  return NameProblem::None;
}

std::wstring NameProblemText(NameProblem problem, std::wstring_view name) {
  switch (problem) {
    case NameProblem::None:
      return {};
    case NameProblem::Empty:
      return L"Please type a name.";
    case NameProblem::ForbiddenCharacter:
      return L"A name cannot contain control characters or any of these: \\ / : * ? \" < > |";
    case NameProblem::DeviceName:
      return L"\"" + std::wstring(name) + L"\" is the name of a device; please choose another name.";
    case NameProblem::StrippedEnding:
      return L"A name cannot end in a dot or a blank.";
  }
  return {};
}

std::wstring NameExistsText(std::wstring_view name, std::wstring_view folder) {
  return L"\"" + std::wstring(name) + L"\" already exists in " + std::wstring(folder) + L".";
}

}  // namespace fm
