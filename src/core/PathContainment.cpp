#include "core/PathContainment.h"

#include "core/PathText.h"

namespace fm {

namespace {

wchar_t FoldCase(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 0x20);
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
      (c >= 0x430 && c <= 0x44F)) {
    return static_cast<wchar_t>(c - 0x20);
  }
  if (c == 0xFF) return static_cast<wchar_t>(0x178);
  if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 0x50);
  return c;
}

std::wstring_view WithoutPrefix(std::wstring_view path, std::wstring& scratch) {
  if (path.starts_with(L"\\\\?\\UNC\\") || path.starts_with(L"\\\\?\\unc\\")) {
    scratch = L"\\\\";
    scratch += path.substr(8);
    return scratch;
  }
  if (path.starts_with(L"\\\\?\\")) return path.substr(4);
  return path;
}

}  // namespace

std::wstring ComparablePath(std::wstring_view path) {
  std::wstring scratch;
  std::wstring plain(WithoutPrefix(path, scratch));
  for (wchar_t& c : plain) c = c == L'/' ? L'\\' : FoldCase(c);
  while (plain.size() > 1 && plain.back() == L'\\' && !IsDriveRoot(plain)) plain.pop_back();
  return plain;
}

bool IsSameOrInside(std::wstring_view path, std::wstring_view folder) {
  const std::wstring p = ComparablePath(path), f = ComparablePath(folder);
  if (f.empty() || !p.starts_with(f)) return false;
  return p.size() == f.size() || f.back() == L'\\' || p[f.size()] == L'\\';
}

TransferCheck CheckTransfer(const std::vector<TransferSource>& sources,
                            std::wstring_view targetFolder, std::wstring_view targetName,
                            bool isMove) {
  for (const auto& source : sources) {
    if (source.isFolder && IsSameOrInside(targetFolder, source.path)) {
      return {TransferRefusal::IntoItself, source.path};
    }
    std::wstring_view own = source.path;
    while (own.size() > 1 && (own.back() == L'\\' || own.back() == L'/')) own.remove_suffix(1);
    const std::wstring ownName = LastPathPart(own);
    const std::wstring target =
        JoinPath(ComparablePath(targetFolder), targetName.empty() ? ownName : targetName);
    if (ComparablePath(target) == ComparablePath(source.path)) {
      const bool caseOnlyRename = isMove && !targetName.empty() && ownName != targetName;
      if (!caseOnlyRename) return {TransferRefusal::OntoItself, source.path};
    }
  }
  return {};
}

std::wstring ExtendedLengthPath(std::wstring_view path) {
  if (path.starts_with(L"\\\\?\\")) return std::wstring(path);
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + std::wstring(path.substr(2));
  if (IsDriveLetterPath(path)) return L"\\\\?\\" + std::wstring(path);
  return std::wstring(path);
}

}  // namespace fm
