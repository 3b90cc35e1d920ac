// The shell builds its lists of icons the first time the process asks for an icon, which
// under Wine takes tens of milliseconds. Asked on a thread of its own while the window is
// built, that work overlaps the building instead of following it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Handles.h"

namespace fm {

class IconListWarmUp {
 public:
  // root: a folder whose icon the window asks for first; the lists come with it.
  explicit IconListWarmUp(std::wstring root);
  // Waits for the thread, which is long done by the time a window closes.
  ~IconListWarmUp();
  IconListWarmUp(const IconListWarmUp&) = delete;
  IconListWarmUp& operator=(const IconListWarmUp&) = delete;

 private:
  static DWORD WINAPI Run(void* self);

  std::wstring root_;
  UniqueHandle thread_;
};

}  // namespace fm
