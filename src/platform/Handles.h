// Owners of kernel, registry, module, menu, image list, window and GDI handles. One
// template, told by a small traits type what "no handle" is and how to close one.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace fm {

template <typename Traits>
class UniqueResource {
 public:
  using Value = typename Traits::Value;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Value value) noexcept : value_(value) {}
  UniqueResource(UniqueResource&& other) noexcept
      : value_(std::exchange(other.value_, Traits::None())) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    Reset(std::exchange(other.value_, Traits::None()));
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { Reset(); }

  Value Get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return !Traits::IsNone(value_); }

  // Closes the handle held so far and keeps value instead.
  void Reset(Value value = Traits::None()) noexcept {
    const Value old = std::exchange(value_, value);
    if (!Traits::IsNone(old)) Traits::Close(old);
  }
  // Gives the handle to the caller, who must close it.
  [[nodiscard]] Value Release() noexcept { return std::exchange(value_, Traits::None()); }
  // Out-parameters of calls that hand back a handle: the old one is closed first.
  Value* Put() noexcept {
    Reset();
    return &value_;
  }

 private:
  Value value_ = Traits::None();
};

namespace handle_traits {

template <typename T>
struct NullIsNone {
  using Value = T;
  static Value None() noexcept { return nullptr; }
  static bool IsNone(Value value) noexcept { return value == nullptr; }
};

// Kernel calls disagree about "no handle": CreateFileW answers INVALID_HANDLE_VALUE,
// most others null. Both mean none here.
struct KernelHandle {
  using Value = HANDLE;
  static Value None() noexcept { return nullptr; }
  static bool IsNone(Value value) noexcept {
    return value == nullptr || value == INVALID_HANDLE_VALUE;
  }
  static void Close(Value value) noexcept { CloseHandle(value); }
};

struct FindHandle : KernelHandle {
  static void Close(Value value) noexcept { FindClose(value); }
};

struct Key : NullIsNone<HKEY> {
  static void Close(Value value) noexcept { RegCloseKey(value); }
};

struct Module : NullIsNone<HMODULE> {
  static void Close(Value value) noexcept { FreeLibrary(value); }
};

struct Menu : NullIsNone<HMENU> {
  static void Close(Value value) noexcept { DestroyMenu(value); }
};

template <typename T>
struct GdiObject : NullIsNone<T> {
  static void Close(T value) noexcept { DeleteObject(value); }
};

struct Icon : NullIsNone<HICON> {
  static void Close(Value value) noexcept { DestroyIcon(value); }
};

struct ImageList : NullIsNone<HIMAGELIST> {
  static void Close(Value value) noexcept { ImageList_Destroy(value); }
};

struct Window : NullIsNone<HWND> {
  static void Close(Value value) noexcept { DestroyWindow(value); }
};

struct MemoryDc : NullIsNone<HDC> {
  static void Close(Value value) noexcept { DeleteDC(value); }
};

struct LocalMemory : NullIsNone<HLOCAL> {
  static void Close(Value value) noexcept { LocalFree(value); }
};

struct Heap : NullIsNone<HANDLE> {
  static void Close(Value value) noexcept { HeapDestroy(value); }
};

}  // namespace handle_traits

using UniqueHandle = UniqueResource<handle_traits::KernelHandle>;
using UniqueFindHandle = UniqueResource<handle_traits::FindHandle>;
using UniqueHKey = UniqueResource<handle_traits::Key>;
using UniqueHModule = UniqueResource<handle_traits::Module>;
using UniqueHMenu = UniqueResource<handle_traits::Menu>;
template <typename T>
using UniqueGdiObject = UniqueResource<handle_traits::GdiObject<T>>;
using UniqueHFont = UniqueGdiObject<HFONT>;
using UniqueHBrush = UniqueGdiObject<HBRUSH>;
using UniqueHBitmap = UniqueGdiObject<HBITMAP>;
using UniqueHPen = UniqueGdiObject<HPEN>;
using UniqueHIcon = UniqueResource<handle_traits::Icon>;
using UniqueHImageList = UniqueResource<handle_traits::ImageList>;
// A window that is not a control of the framework (those own their windows themselves).
using UniqueHWnd = UniqueResource<handle_traits::Window>;
using UniqueMemoryDc = UniqueResource<handle_traits::MemoryDc>;
// Blocks the system allocates for the caller with LocalAlloc (FormatMessageW).
using UniqueHLocal = UniqueResource<handle_traits::LocalMemory>;
// A heap of the program's own (HeapCreate).
using UniqueHeap = UniqueResource<handle_traits::Heap>;

// A window's device context from GetDC, given back with ReleaseDC, which needs the window
// too.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context for a scope and puts the old one back, so
// the object can be deleted afterwards.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectObjectScope() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace fm
