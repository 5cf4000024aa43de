#pragma once
// Interface IDs by type: `IidOf<IFoo>()` names the ID of an interface whose declaring header
// specializes `InterfaceId<IFoo>`; a type without an ID does not compile. Used instead of
// __uuidof, which MinGW and MSVC handle differently for our own declarations.

#include <windows.h>
#include <unknwn.h>

namespace corvane {

template <class Interface>
struct InterfaceId;

template <class Interface>
constexpr const IID& IidOf() {
  return InterfaceId<Interface>::value;
}

// QueryInterface for an interface with an ID: `QueryAs(webView, &webView2)`.
template <class Interface>
HRESULT QueryAs(IUnknown* object, Interface** result) {
  return object->QueryInterface(IidOf<Interface>(), reinterpret_cast<void**>(result));
}

}  // namespace corvane
