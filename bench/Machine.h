// What the figures were measured on: the processor, memory, Wine and the build, and where
// the build keeps its files.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Lines for the head of the report.
std::vector<std::string> MachineLines();

// This program's own path; Foldmere.exe and the tests' fixtures are in the build folder
// one above it.
std::wstring ExecutablePath();
// The path without its last name.
std::wstring FolderOf(const std::wstring& path);

}  // namespace bench
