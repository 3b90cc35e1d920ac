// The one notice a folder read gives about items that are neither a file nor a folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fm {

// The first such path alone; with more, a second line says how many more the read met.
std::wstring NeitherFileNorFolderNotice(std::wstring_view firstPath, std::uint64_t more);

}  // namespace fm
