// The IUnknown part of a COM object that a test makes to stand in for the system's.
#pragma once

#include <windows.h>

#include <unknwn.h>

namespace fm::test {

// Answers for IUnknown and Interface (whose identifier is *Iid); the object is made with
// one reference and deletes itself with its last.
template <class Interface, const IID* Iid>
class TestComObject : public Interface {
 public:
  virtual ~TestComObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == *Iid) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  ULONG references_ = 1;
};

}  // namespace fm::test
