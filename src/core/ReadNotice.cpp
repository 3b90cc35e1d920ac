#include "core/ReadNotice.h"

namespace fm {

std::wstring NeitherFileNorFolderNotice(std::wstring_view firstPath, std::uint64_t more) {
  std::wstring text(firstPath);
  if (more > 0) text += L"\r\nand " + std::to_wstring(more) + L" more like it.";
  return text;
}

}  // namespace fm
