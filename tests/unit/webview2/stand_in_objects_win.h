#pragma once
// Stand-in runtime objects built from raw slot tables: a call to a slot a test does not answer
// fails the test.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace corvane::stand_in {

inline HRESULT STDMETHODCALLTYPE Unexpected(void*) {
  ADD_FAILURE() << "a slot the shell has no business calling was called";
  return E_NOTIMPL;
}

inline void* Slot(auto fn) { return reinterpret_cast<void*>(fn); }

// The slot table pointer comes first, where a COM object keeps its vtable pointer. QueryInterface
// hands out the object itself for the IDs in `interfaces`, slots 1 and 2 count references, and
// `answered` sets any slot.
struct Object {
  Object(std::size_t length, std::initializer_list<std::pair<std::size_t, void*>> answered,
         std::vector<IID> ids = {})
      : table(length, Slot(&Unexpected)), interfaces(std::move(ids)) {
    table[0] = Slot(+[](Object* self, REFIID iid, void** out) {
      const auto& offered = self->interfaces;
      *out = std::find(offered.begin(), offered.end(), iid) != offered.end() ? self : nullptr;
      self->refs += *out ? 1 : 0;
      return *out ? S_OK : E_NOINTERFACE;
    });
    table[1] = Slot(+[](Object* self) { return ULONG(++self->refs); });
    table[2] = Slot(+[](Object* self) { return ULONG(--self->refs); });
    for (const auto& [index, slot] : answered) table[index] = slot;
    slots = table.data();
  }
  Object(const Object&) = delete;

  void* const* slots;
  LONG refs = 1;
  std::vector<void*> table;
  std::vector<IID> interfaces;
};

// Hands out `object` with the reference the caller then owns.
template <class T>
T* Out(T* object) {
  ++object->refs;
  return object;
}

inline LPWSTR CoTaskCopy(const std::wstring& text) {
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  std::wcscpy(copy, text.c_str());
  return copy;
}

}  // namespace corvane::stand_in
