#include "FileInfoFixtures.h"

#include <windows.h>

#include "core/PathText.h"

namespace fm::test {

std::wstring FixturePath(const std::wstring& name) {
  std::wstring program(MAX_PATH, L'\0');
  program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
  return fm::FolderPart(program) + L"\\fixtures\\" + name;
}

}  // namespace fm::test
