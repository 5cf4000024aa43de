#pragma once
// The shell's taskbar object, told when the main window covers the whole monitor. The interface
// is the system header's ITaskbarList2 (slots QueryInterface, AddRef, Release, HrInit, AddTab,
// DeleteTab, ActivateTab, SetActiveAlt, MarkFullscreenWindow); the IDs are written out here so
// they do not depend on which import library provides them.

#include <windows.h>
#include <shobjidl.h>

namespace corvane {

// {56FDF344-FD6D-11D0-958A-006097C9A090}
inline constexpr CLSID kTaskbarListClassId = {
    0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
// {602D4995-B13A-429B-A66E-1935E44F4317}
inline constexpr IID kTaskbarList2InterfaceId = {
    0x602D4995, 0xB13A, 0x429B, {0xA6, 0x6E, 0x19, 0x35, 0xE4, 0x4F, 0x43, 0x17}};

}  // namespace corvane
