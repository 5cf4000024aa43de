#pragma once
// IUnknown for the COM objects the shell implements: reference counting and QueryInterface over
// the listed interfaces (each an IUnknown-derived interface declared with an ID). The object is
// created with one reference, which the creator owns: wrap it with ComRef<>::Adopt.

#include <atomic>

#include "base/com_iid_win.h"

namespace corvane {

// The system's interfaces have public non-virtual destructors, as COM interfaces do by design:
// objects are released, never deleted through them.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
template <class Derived, class FirstInterface, class... MoreInterfaces>
class ComObject : public FirstInterface, public MoreInterfaces... {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IidOf<FirstInterface>())) {
      *result = static_cast<FirstInterface*>(this);
    } else {
      *result = FindInterface<MoreInterfaces...>(iid);
    }
    if (!*result) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG remaining = --references_;
    if (remaining == 0) delete static_cast<Derived*>(this);
    return remaining;
  }

 protected:
  ComObject() = default;
  ~ComObject() = default;

 private:
  template <class... Candidates>
  void* FindInterface([[maybe_unused]] REFIID iid) {  // unused when the list is empty
    void* found = nullptr;
    ((found == nullptr && IsEqualIID(iid, IidOf<Candidates>())
          ? (found = static_cast<Candidates*>(this), 0)
          : 0),
     ...);
    return found;
  }

  // The runtime may release objects from its own threads.
  std::atomic<ULONG> references_{1};
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Body of an event handler: no exception may reach the runtime.
template <class Body>
HRESULT NoExceptions(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return S_OK;
  }
}

}  // namespace corvane
