// The window operations the page can trigger: fullscreen, client size and position.

#include "base/dpi.h"
#include "base/dpi_win.h"
#include "webview2/lumo_webview_win.h"
#include "webview2/taskbar_win.h"

namespace corvane {
namespace {

constexpr LONG kFramedStyles = WS_CAPTION | WS_THICKFRAME;
constexpr LONG kFramedExStyles =
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;

}  // namespace

void LumoWebView::SetFullscreen(bool fullscreen) {
  if (fullscreen == isFullscreen) return;
  isFullscreen = fullscreen;
  // A minimised window's style and rectangle are those of its icon: saved or changed as they are,
  // the window would come back without a frame, or minimise itself again on leaving. The user
  // sees the change instead.
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);

  RECT target{};
  if (fullscreen) {
    savedStyle = GetWindowLongW(window, GWL_STYLE);
    savedExStyle = GetWindowLongW(window, GWL_EXSTYLE);
    GetWindowRect(window, &savedRect);
    SetWindowLongW(window, GWL_STYLE, savedStyle & ~kFramedStyles);
    SetWindowLongW(window, GWL_EXSTYLE, savedExStyle & ~kFramedExStyles);
    // The monitor rectangle, not the work area: the taskbar is covered too.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    target = monitor.rcMonitor;
  } else {
    SetWindowLongW(window, GWL_STYLE, savedStyle);
    SetWindowLongW(window, GWL_EXSTYLE, savedExStyle);
    target = savedRect;
  }
  const std::int32_t width = SaturatedSpan(target.left, target.right);
  const std::int32_t height = SaturatedSpan(target.top, target.bottom);
  // The monitor the window left may be gone meanwhile (undocked, unplugged): a rectangle on no
  // monitor is moved onto the work area of the one showing the window, or it would come back out
  // of sight.
  if (!fullscreen && !MonitorFromRect(&target, MONITOR_DEFAULTTONULL)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    target.left = StartWithin(target.left, width, monitor.rcWork.left, monitor.rcWork.right);
    target.top = StartWithin(target.top, height, monitor.rcWork.top, monitor.rcWork.bottom);
  }
  SetWindowPos(window, nullptr, target.left, target.top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

  // Created on first use; a failed creation is tried again at the next change.
  if (!taskbarList) {
    ComRef<ITaskbarList2> created;
    if (SUCCEEDED(CoCreateInstance(kTaskbarListClassId, nullptr, CLSCTX_INPROC_SERVER,
                                   kTaskbarList2InterfaceId,
                                   reinterpret_cast<void**>(created.Put()))) &&
        created && SUCCEEDED(created->HrInit())) {
      taskbarList = created;
    }
  }
  if (taskbarList) taskbarList->MarkFullscreenWindow(window, fullscreen ? TRUE : FALSE);
}

// Sized or moved as it is, a maximised window would stay maximised with its frame past the screen,
// and a minimised one would forget the request when restored: the window is made normal first.
void LumoWebView::LeaveMinimizedOrMaximized() {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  if (IsZoomed(window)) ShowWindow(window, SW_RESTORE);
}

void LumoWebView::SetClientSize(std::int32_t width, std::int32_t height) {
  if (isFullscreen || width <= 0 || height <= 0) return;
  LeaveMinimizedOrMaximized();
  const DWORD style = DWORD(GetWindowLongW(window, GWL_STYLE));
  const DWORD exStyle = DWORD(GetWindowLongW(window, GWL_EXSTYLE));
  const SIZE outer = OuterSizeForClient(width, height, style, exStyle);
  SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LumoWebView::SetWindowPosition(std::int32_t x, std::int32_t y) {
  if (isFullscreen) return;
  LeaveMinimizedOrMaximized();
  SetWindowPos(window, nullptr, ScaleForDpi(x), ScaleForDpi(y), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane
