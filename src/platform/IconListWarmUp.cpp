#include "platform/IconListWarmUp.h"

#include <shellapi.h>

#include <utility>

#include "platform/ComApartment.h"

namespace fm {

IconListWarmUp::IconListWarmUp(std::wstring root) : root_(std::move(root)) {
  // Without the thread the window asks for the lists itself, only later.
  thread_.Reset(CreateThread(nullptr, 0, &IconListWarmUp::Run, this, 0, nullptr));
}

IconListWarmUp::~IconListWarmUp() {
  if (thread_) WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI IconListWarmUp::Run(void* self) {
  const auto& root = static_cast<IconListWarmUp*>(self)->root_;
  try {
    const ComApartment apartment;
    for (const UINT size : {SHGFI_SMALLICON, SHGFI_LARGEICON}) {
      SHFILEINFOW info{};
      SHGetFileInfoW(root.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | size);
    }
  } catch (...) {
    // Nothing is lost: the window asks again for what it needs.
  }
  return 0;
}

}  // namespace fm
