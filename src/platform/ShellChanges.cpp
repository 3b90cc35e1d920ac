#include "platform/ShellChanges.h"

#include "platform/Shell.h"

namespace fm {

namespace {

// A lock on a delivered change, released with it.
class ChangeLock {
 public:
  ChangeLock(WPARAM wParam, LPARAM lParam)
      : lock_(SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam), static_cast<DWORD>(lParam), &items_,
                                        &event_)) {}
  ~ChangeLock() {
    if (lock_) SHChangeNotification_Unlock(lock_);
  }
  ChangeLock(const ChangeLock&) = delete;
  ChangeLock& operator=(const ChangeLock&) = delete;

  bool Held() const { return lock_ != nullptr; }
  LONG Event() const { return event_; }
  LPCITEMIDLIST Item(int index) const { return items_ ? items_[index] : nullptr; }

 private:
  PIDLIST_ABSOLUTE* items_ = nullptr;
  LONG event_ = 0;
  HANDLE lock_ = nullptr;
};

std::wstring PathOf(LPCITEMIDLIST item) { return item ? PathFromIDList(item) : std::wstring(); }

}  // namespace

ShellChangeRegistration::ShellChangeRegistration(HWND window, UINT message) {
  // The whole namespace, below the desktop; what the shell is told only; the file system's
  // own changes come from the folders' watches.
  SHChangeNotifyEntry entry{nullptr, TRUE};
  id_ = SHChangeNotifyRegister(window, SHCNRF_ShellLevel | SHCNRF_NewDelivery,
                               SHCNE_ALLEVENTS, message, 1, &entry);
}

ShellChangeRegistration::~ShellChangeRegistration() {
  if (id_) SHChangeNotifyDeregister(id_);
}

ShellChange ReadShellChange(WPARAM wParam, LPARAM lParam) {
  const ChangeLock lock(wParam, lParam);
  if (!lock.Held()) return {};
  return {static_cast<LONG>(lock.Event() & ~static_cast<LONG>(SHCNE_INTERRUPT)), PathOf(lock.Item(0)), PathOf(lock.Item(1))};
}

}  // namespace fm
