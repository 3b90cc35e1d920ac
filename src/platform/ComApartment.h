// COM on the calling thread for the life of a scope: the shell's objects need a
// single-threaded apartment.
#pragma once

#include <objbase.h>
#include <ole2.h>

#include "platform/OsError.h"

namespace fm {

class ComApartment {
 public:
  explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) {
    // S_FALSE (already initialised on this thread) still needs its own uninitialise.
    OleCheck(CoInitializeEx(nullptr, model));
  }
  ~ComApartment() { CoUninitialize(); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
};

// COM and OLE on the user-interface thread for the life of a scope: the shell's Cut,
// Copy and Paste go through the OLE clipboard, and drag and drop through OLE too.
class OleApartment {
 public:
  OleApartment() {
    // S_FALSE (already initialised on this thread) still needs its own uninitialise.
    OleCheck(OleInitialize(nullptr));
  }
  ~OleApartment() { OleUninitialize(); }
  OleApartment(const OleApartment&) = delete;
  OleApartment& operator=(const OleApartment&) = delete;
};

}  // namespace fm
