// Typed names and targets on any UTF-16 text: a name found sound holds nothing the file
// system refuses or strips, every problem has its text, and a typed target has no blank
// in front nor a blank or backslash at its end past a drive root.
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/FileCommandText.h"
#include "core/ItemName.h"
#include "core/PathText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const std::wstring name = input.Text();

  const fm::NameProblem problem = fm::ProblemOfName(name);
  FM_FUZZ_CHECK(fm::NameProblemText(problem, name).empty() == (problem == fm::NameProblem::None));
  if (problem == fm::NameProblem::None) {
    FM_FUZZ_CHECK(!name.empty());
    FM_FUZZ_CHECK(name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos);
    FM_FUZZ_CHECK(name.back() != L'.' && name.back() != L' ');
    for (const wchar_t c : name) FM_FUZZ_CHECK(static_cast<std::uint32_t>(c) >= 32u);
    // A sound name joined to a folder is that folder's child under the same name.
    FM_FUZZ_CHECK(fm::FileNamePart(fm::JoinPath(L"C:\\dir", name)) == name);
  }

  const std::wstring path = fm::TypedTargetPath(name, L"C:\\base");
  if (path.empty()) {
    FM_FUZZ_CHECK(name.find_first_not_of(L' ') == std::wstring::npos);
  } else {
    FM_FUZZ_CHECK(path.front() != L' ');
    FM_FUZZ_CHECK(path.size() <= 2 || fm::IsDriveRoot(path) || (path.back() != L'\\' && path.back() != L' '));
  }
  return 0;
}
