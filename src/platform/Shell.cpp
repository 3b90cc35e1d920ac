#include "platform/Shell.h"

#include <shellapi.h>

#include <iterator>

#include "platform/Handles.h"
#include "platform/OsError.h"

namespace fm {

ComPtr<IShellFolder> DesktopFolder() {
  ComPtr<IShellFolder> desktop;
  OleCheck(SHGetDesktopFolder(desktop.Put()));
  return desktop;
}

ItemIdList SpecialFolderLocation(HWND owner, int csidl) {
  ItemIdList list;
  OleCheck(SHGetSpecialFolderLocation(owner, csidl, list.Put()));
  return list;
}

ItemIdList ParseDisplayName(IShellFolder& folder, HWND owner, const std::wstring& text) {
  // The shell's signature takes the text as writable.
  std::wstring buffer = text;
  ItemIdList list;
  OleCheck(folder.ParseDisplayName(owner, nullptr, buffer.data(), nullptr, list.Put(), nullptr));
  return list;
}

namespace {

// What the file system told of an item, handed to the shell through a bind context.
class FoundData final : public IFileSystemBindData {
 public:
  explicit FoundData(const WIN32_FIND_DATAW& data) : data_(data) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IFileSystemBindData) {
      *object = static_cast<IFileSystemBindData*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE SetFindData(const WIN32_FIND_DATAW* data) override {
    if (!data) return E_POINTER;
    data_ = *data;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFindData(WIN32_FIND_DATAW* data) override {
    if (!data) return E_POINTER;
    *data = data_;
    return S_OK;
  }

 private:
  ~FoundData() = default;
  LONG references_ = 1;
  WIN32_FIND_DATAW data_;
};

}  // namespace

ItemIdList ParseFoundItem(IShellFolder& folder, const std::wstring& name, const WIN32_FILE_ATTRIBUTE_DATA& found) {
  WIN32_FIND_DATAW data{};
  if (name.size() >= std::size(data.cFileName)) return {};
  data.dwFileAttributes = found.dwFileAttributes;
  data.ftCreationTime = found.ftCreationTime;
  data.ftLastAccessTime = found.ftLastAccessTime;
  data.ftLastWriteTime = found.ftLastWriteTime;
  data.nFileSizeHigh = found.nFileSizeHigh;
  data.nFileSizeLow = found.nFileSizeLow;
  name.copy(data.cFileName, name.size());
  ComPtr<IBindCtx> context;
  if (FAILED(CreateBindCtx(0, context.Put()))) return {};
  ComPtr<IFileSystemBindData> told;
  *told.Put() = new FoundData(data);
  if (FAILED(context->RegisterObjectParam(const_cast<LPOLESTR>(STR_FILE_SYS_BIND_DATA), told.Get()))) return {};
  std::wstring buffer = name;
  ItemIdList list;
  if (FAILED(folder.ParseDisplayName(nullptr, context.Get(), buffer.data(), nullptr, list.Put(), nullptr))) return {};
  return list;
}

ComPtr<IShellFolder> BindToFolder(IShellFolder& folder, LPCITEMIDLIST list) {
  ComPtr<IShellFolder> bound;
  OleCheck(folder.BindToObject(list, nullptr, IID_IShellFolder, bound.PutVoid()));
  // A success without an object would only fail later, far from its cause.
  if (!bound) RaiseOleError(E_NOINTERFACE);
  return bound;
}

ComPtr<IEnumIDList> EnumObjects(IShellFolder& folder, HWND owner, SHCONTF flags) {
  ComPtr<IEnumIDList> items;
  OleCheck(folder.EnumObjects(owner, flags, items.Put()));
  return items;
}

std::wstring PathFromIDList(LPCITEMIDLIST list) {
  // The extended call takes a buffer of any size, so paths longer than MAX_PATH come
  // back whole; systems without it get the plain call.
  using GetPathEx = BOOL(WINAPI*)(LPCITEMIDLIST, PWSTR, DWORD, GPFIDL_FLAGS);
  static const auto getPathEx = reinterpret_cast<GetPathEx>(
      GetProcAddress(GetModuleHandleW(L"shell32.dll"), "SHGetPathFromIDListEx"));

  std::wstring path;
  if (getPathEx != nullptr) {
    path.resize(32768);
    if (!getPathEx(list, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT)) return {};
  } else {
    path.resize(MAX_PATH);
    if (!SHGetPathFromIDListW(list, path.data())) return {};
  }
  path.resize(path.find(L'\0'));
  return path;
}

std::wstring FolderPath(IShellFolder& folder) {
  ComPtr<IPersistFolder2> persist;
  if (FAILED(folder.QueryInterface(IID_IPersistFolder2, persist.PutVoid()))) return {};
  ItemIdList list;
  if (FAILED(persist->GetCurFolder(list.Put()))) return {};
  return PathFromIDList(list.Get());
}

void RaiseUnlessListable(const std::wstring& path) {
  const std::wstring pattern = path.back() == L'\\' ? path + L"*" : path + L"\\*";
  WIN32_FIND_DATAW find;
  const UniqueFindHandle search(
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &find, FindExSearchNameMatch, nullptr, 0));
  if (search) return;
  const DWORD error = GetLastError();
  // An empty drive root has nothing to find, not even "." and "..".
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return;
  RaiseOleError(HRESULT_FROM_WIN32(error));
}

HIMAGELIST NearestSystemImageList(int size) {
  // IID_IImageList; its header would bring a second definition of the image-list calls.
  static constexpr GUID kImageListInterface = {
      0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};
  HIMAGELIST best = nullptr;
  int bestDistance = 0;
  int bestSize = 0;
  for (int kind : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE}) {
    IUnknown* list = nullptr;
    if (FAILED(SHGetImageList(kind, kImageListInterface, reinterpret_cast<void**>(&list))) || !list)
      continue;
    // The system keeps its lists for the life of the process; the handle is the interface.
    auto handle = reinterpret_cast<HIMAGELIST>(list);
    list->Release();
    int width = 0;
    int height = 0;
    if (!ImageList_GetIconSize(handle, &width, &height)) continue;
    const int distance = width > size ? width - size : size - width;
    if (!best || distance < bestDistance || (distance == bestDistance && width > bestSize)) {
      best = handle;
      bestDistance = distance;
      bestSize = width;
    }
  }
  return best;
}

}  // namespace fm
