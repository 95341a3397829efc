// user32 windows: classes, creation and destruction, geometry, the update
// region and painting, and what the backend reports about its native windows.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "../host.h"
#include "backend.h"
#include "gdi/gdi.h"
#include "layer.h"
#include "user_internal.h"

namespace vqp {
namespace {

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
};

std::vector<WindowClass> classes;
ATOM nextAtom = 0xC000; // where Windows starts the atoms of registered class names
std::map<uintptr_t, std::unique_ptr<Window>> windows; // by handle value: oldest first
uintptr_t nextHandle = 0x00010010;
std::string lastWindowFailure;
// Monitor handles: the backend's monitor numbers from this value on.
constexpr int kFirstMonitorHandle = 0x00010001;

// Class names compare without regard to case, as on Windows.
bool SameName(const std::string &a, const char *b) {
  return std::equal(
      a.begin(), a.end(), b, b + std::strlen(b),
      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// A class name may also be an atom: MAKEINTATOM puts it in the pointer's low word.
bool IsAtom(LPCSTR name) { return reinterpret_cast<uintptr_t>(name) < 0x10000; }

WindowClass *FindClass(LPCSTR name) {
  for (WindowClass &c : classes) {
    if (IsAtom(name) ? c.atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name))
                     : SameName(c.name, name))
      return &c;
  }
  return nullptr;
}

// Outer size minus client size for a window style.
struct Frame {
  int width = 0, height = 0;
};
Frame FrameOf(DWORD style) {
  if (style & (WS_CAPTION | WS_THICKFRAME))
    return {kFrameWidth, kFrameHeight};
  return {};
}

int ClampSide(long long v, int frame) {
  v -= frame;
  if (v < 0)
    return 0;
  return v > kMaxClientSide ? kMaxClientSide : static_cast<int>(v);
}

LONG Saturate(long long v) {
  if (v > INT32_MAX)
    return INT32_MAX;
  if (v < INT32_MIN)
    return INT32_MIN;
  return static_cast<LONG>(v);
}

PixelRect WholeClient(const Window &w) { return {0, 0, w.surface.width, w.surface.height}; }

// The client rectangle a RECT names, clipped to the client area (RECT may hold
// any 32-bit values; the result always lies inside the surface).
PixelRect ClientPart(const Window &w, const RECT *rect) {
  return rect ? Intersect({rect->left, rect->top, rect->right, rect->bottom}, WholeClient(w))
              : WholeClient(w);
}

void Invalidate(Window &w, const PixelRect &r, bool erase) {
  PixelRect part = Intersect(r, WholeClient(w));
  if (part.Empty())
    return;
  Unite(w.update, part);
  if (erase)
    w.eraseRequested = true;
}

// Removes `r` from the update rectangle. The update region is kept as one
// bounding rectangle, so only a cut that takes a whole side band (or all of it)
// shrinks it; otherwise it stays as it was, which at worst repaints a little more.
void Validate(Window &w, const PixelRect &r) {
  PixelRect &u = w.update;
  if (u.Empty() || r.Empty())
    return;
  bool coversX = r.left <= u.left && r.right >= u.right;
  bool coversY = r.top <= u.top && r.bottom >= u.bottom;
  if (coversX && coversY) {
    u = {};
    w.eraseRequested = false;
  } else if (coversX && r.top <= u.top && r.bottom > u.top) {
    u.top = r.bottom;
  } else if (coversX && r.bottom >= u.bottom && r.top < u.bottom) {
    u.bottom = r.top;
  } else if (coversY && r.left <= u.left && r.right > u.left) {
    u.left = r.right;
  } else if (coversY && r.right >= u.right && r.left < u.right) {
    u.right = r.left;
  }
}

// Gives the window a new client size: the old picture stays at the top left,
// new area is black, and the update region grows as Windows grows it (all of
// the window with CS_HREDRAW/CS_VREDRAW, otherwise only the uncovered strips).
// The caller sends WM_SIZE afterwards. Returns false when out of memory.
bool ResizeSurface(Window &w, int cw, int ch) {
  Surface &s = w.surface;
  if (s.width == cw && s.height == ch)
    return true;
  Pixels pixels;
  try {
    pixels.assign(static_cast<size_t>(cw) * static_cast<size_t>(ch), 0);
  } catch (const std::bad_alloc &) {
    return false;
  }
  int keepW = std::min(cw, s.width), keepH = std::min(ch, s.height);
  for (int y = 0; y < keepH; ++y)
    std::copy_n(s.pixels.data() + static_cast<size_t>(y) * s.width, keepW,
                pixels.data() + static_cast<size_t>(y) * cw);
  int oldW = s.width, oldH = s.height;
  s.pixels.swap(pixels);
  s.width = cw;
  s.height = ch;
  KeepTextsWithin(s, cw, ch);
  // The native window must receive the whole new picture.
  s.dirty = {};
  MarkDirty(s, WholeClient(w));

  w.update = Intersect(w.update, WholeClient(w));
  bool redrawAll =
      ((w.classStyle & CS_HREDRAW) && cw != oldW) || ((w.classStyle & CS_VREDRAW) && ch != oldH);
  if (redrawAll) {
    Invalidate(w, WholeClient(w), true);
  } else {
    if (cw > oldW)
      Invalidate(w, {oldW, 0, cw, ch}, true);
    if (ch > oldH)
      Invalidate(w, {0, oldH, cw, ch}, true);
  }
  return true;
}

// Shows or hides the native window as the window now is; the client area
// lies inside the frame: below the caption and right of the left border.
void ShowNative(const Window &w) {
  const int border = (w.outerW - w.surface.width) / 2;
  const int caption = (w.outerH - w.surface.height) - border;
  BackendShowWindow(w.handle, w.visible, Saturate(static_cast<long long>(w.x) + border),
                    Saturate(static_cast<long long>(w.y) + caption));
}

Window *Require(HWND hwnd) {
  Window *w = LookupWindow(hwnd);
  return w ? w : Fail<Window *>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
}

HWND FailCreate(DWORD error, std::string reason) {
  lastWindowFailure = std::move(reason);
  return Fail<HWND>(error, nullptr);
}

// Puts the window's outer rectangle at (x, y), cx by cy (no larger than the
// largest client area in its frame), and gives the client size within it.
std::pair<int, int> SetOuter(Window &w, int x, int y, int cx, int cy) {
  const Frame f = FrameOf(w.style);
  const int cw = ClampSide(cx, f.width), ch = ClampSide(cy, f.height);
  w.x = x;
  w.y = y;
  w.outerW = std::clamp(cx, 0, cw + f.width);
  w.outerH = std::clamp(cy, 0, ch + f.height);
  return {cw, ch};
}

// The client size changed (program or user): resize the framebuffer and tell
// the window. `tellBackend` is false when the native window already has the size.
void ChangeClientSize(HWND hwnd, int cw, int ch, bool tellBackend) {
  Window *w = LookupWindow(hwnd);
  if (w == nullptr || (w->surface.width == cw && w->surface.height == ch))
    return;
  if (!ResizeSurface(*w, cw, ch))
    return; // out of memory: keep the old framebuffer, the window stays as it was
  if (tellBackend)
    BackendResizeWindow(hwnd, cw, ch);
  vqw::SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cw, ch));
}

int MonitorIndex(HMONITOR monitor) {
  return static_cast<int>(reinterpret_cast<uintptr_t>(monitor)) - kFirstMonitorHandle;
}

HMONITOR MonitorHandle(int index) {
  return reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(kFirstMonitorHandle + index));
}

// Whether the window covers its monitor without a frame: full screen.
bool CoversMonitor(const Window &w) {
  RECT area{}, work{};
  return FrameOf(w.style).width == 0 &&
         BackendMonitorArea(BackendMonitorOf(w.handle), area, work) && w.x == area.left &&
         w.y == area.top && w.outerW == area.right - area.left &&
         w.outerH == area.bottom - area.top;
}

// The window's outer rectangle as the program asks for it (SetWindowPos,
// SetWindowPlacement; `cx` and `cy` are the outer size), the client area
// within the frame of its style. A window that comes to cover its monitor, or
// stops covering it, is shown full screen or framed again by the backend,
// which then takes care of the native window's size and place itself.
void PlaceWindow(HWND hwnd, int x, int y, int cx, int cy) {
  Window *w = LookupWindow(hwnd);
  if (w == nullptr)
    return;
  const auto [cw, ch] = SetOuter(*w, x, y, cx, cy);
  const bool fullScreen = CoversMonitor(*w);
  if (fullScreen == w->fullScreen) {
    ChangeClientSize(hwnd, cw, ch, true);
    return;
  }
  w->fullScreen = fullScreen;
  const Frame f = FrameOf(w->style);
  const int left = Saturate(static_cast<long long>(x) + f.width / 2);
  const int top = Saturate(static_cast<long long>(y) + f.height - f.width / 2);
  BackendSetFullScreen(hwnd, fullScreen,
                       RECT{left, top, Saturate(static_cast<long long>(left) + cw),
                            Saturate(static_cast<long long>(top) + ch)});
  ChangeClientSize(hwnd, cw, ch, false);
}

} // namespace

Window *LookupWindow(HWND hwnd) {
  auto it = windows.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == windows.end() ? nullptr : it->second.get();
}

std::vector<HWND> LiveWindows() {
  std::vector<HWND> all;
  all.reserve(windows.size());
  for (auto &entry : windows)
    all.push_back(entry.second->handle);
  return all;
}

Surface *WindowSurface(HWND hwnd) {
  Window *w = LookupWindow(hwnd);
  return w ? &w->surface : nullptr;
}

const char *LastWindowFailure() { return lastWindowFailure.c_str(); }

// ---- what the backend reports ----------------------------------------------

void LayerMouseDown(HWND hwnd, int x, int y) {
  if (LookupWindow(hwnd))
    QueueInput(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void LayerMouseUp(HWND hwnd, int x, int y) {
  if (LookupWindow(hwnd))
    QueueInput(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void LayerClientResized(HWND hwnd, int clientWidth, int clientHeight) {
  Window *w = LookupWindow(hwnd);
  if (w == nullptr)
    return;
  int cw = ClampSide(clientWidth, 0), ch = ClampSide(clientHeight, 0);
  const Frame f = FrameOf(w->style);
  w->outerW = cw + f.width;
  w->outerH = ch + f.height;
  ChangeClientSize(hwnd, cw, ch, false);
}

void LayerWindowMoved(HWND hwnd, int clientLeft, int clientTop) {
  Window *w = LookupWindow(hwnd);
  if (w == nullptr)
    return;
  const Frame f = FrameOf(w->style);
  w->x = Saturate(static_cast<long long>(clientLeft) - f.width / 2);
  w->y = Saturate(static_cast<long long>(clientTop) - (f.height - f.width / 2));
}

void LayerDpiChanged(HWND hwnd, UINT oldDpi, UINT newDpi) {
  Window *w = LookupWindow(hwnd);
  if (w == nullptr || oldDpi == 0 || newDpi == 0)
    return;
  // What Windows suggests: the top-left corner stays, the client area keeps
  // its size on the glass, the frame stays as it is.
  const auto scaled = [&](int side) {
    return (static_cast<long long>(side) * newDpi + oldDpi / 2) / oldDpi;
  };
  RECT r{w->x, w->y,
         Saturate(w->x + static_cast<long long>(w->outerW - w->surface.width) +
                  scaled(w->surface.width)),
         Saturate(w->y + static_cast<long long>(w->outerH - w->surface.height) +
                  scaled(w->surface.height))};
  vqw::SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&r));
}

void LayerFullScreenEnded(HWND hwnd, int clientWidth, int clientHeight) {
  Window *w = LookupWindow(hwnd);
  if (w == nullptr || !w->fullScreen)
    return;
  w->fullScreen = false; // the native window has left full screen already
  LayerClientResized(hwnd, clientWidth, clientHeight);
  RECT area{}, work{};
  if (!BackendMonitorArea(BackendMonitorOf(hwnd), area, work))
    return;
  vqw::SendMessageA(hwnd, WM_DISPLAYCHANGE, 32,
                    MAKELPARAM(area.right - area.left, area.bottom - area.top));
}

void LayerFontsChanged() {
  for (int face = 1; face < gdi::kFaceCount; ++face)
    gdi::ForgetFace(face);
  for (HWND hwnd : LiveWindows())
    vqw::SendMessageA(hwnd, WM_FONTCHANGE, 0, 0);
}

void LayerAppCommand(HWND hwnd, short command) {
  if (LookupWindow(hwnd))
    QueueInput(hwnd, WM_APPCOMMAND, reinterpret_cast<WPARAM>(hwnd),
               MAKELPARAM(0, (command & ~FAPPCOMMAND_MASK) | FAPPCOMMAND_OEM));
}

void LayerCloseRequested(HWND hwnd) {
  if (LookupWindow(hwnd))
    QueueInput(hwnd, WM_CLOSE, 0, 0);
}

} // namespace vqp

using vqp::Window;

namespace vqw {

ATOM RegisterClassA(const WNDCLASSA *wc) {
  // Registering under a bare atom is not something the program does.
  if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr ||
      vqp::IsAtom(wc->lpszClassName))
    return vqp::Fail<ATOM>(ERROR_INVALID_PARAMETER, 0);
  if (vqp::FindClass(wc->lpszClassName))
    return vqp::Fail<ATOM>(ERROR_CLASS_ALREADY_EXISTS, 0);
  vqp::classes.push_back({wc->lpszClassName, vqp::nextAtom++, wc->style, wc->lpfnWndProc});
  return vqp::classes.back().atom;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND /*parent*/, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  if (className == nullptr)
    return vqp::FailCreate(ERROR_INVALID_PARAMETER, "no window class given");
  vqp::WindowClass *cls = vqp::FindClass(className);
  if (cls == nullptr)
    return vqp::FailCreate(ERROR_CANNOT_FIND_WND_CLASS,
                           vqp::IsAtom(className)
                               ? std::string("no such window class")
                               : "no window class named \"" + std::string(className) + "\"");
  auto w = std::make_unique<Window>();
  w->handle = reinterpret_cast<HWND>(vqp::nextHandle);
  w->title = windowName ? windowName : "";
  w->className = cls->name;
  w->classStyle = cls->style;
  w->proc = cls->proc;
  // As on Windows, a top-level window that is not a pop-up has a caption;
  // visibility is kept apart (GetWindowLongA adds it).
  w->style = (style & WS_POPUP ? style : style | WS_CAPTION) & ~DWORD(WS_VISIBLE);
  w->exStyle = exStyle;
  if (x == CW_USEDEFAULT)
    x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = 640;
    height = 480;
  }
  const auto [cw, ch] = vqp::SetOuter(*w, x, y, width, height);
  try {
    w->surface.pixels.assign(static_cast<size_t>(cw) * static_cast<size_t>(ch), 0);
  } catch (const std::bad_alloc &) {
    return vqp::FailCreate(ERROR_NOT_ENOUGH_MEMORY, "out of memory for a " + std::to_string(cw) +
                                                        " x " + std::to_string(ch) +
                                                        " framebuffer");
  }
  w->surface.width = cw;
  w->surface.height = ch;

  HWND hwnd = w->handle;
  std::string reason;
  if (!vqp::BackendOpenWindow(hwnd, cw, ch, w->title.c_str(), reason))
    return vqp::FailCreate(ERROR_NOT_SUPPORTED,
                           reason.empty() ? "the backend has no window" : reason);
  vqp::nextHandle += 0x10;
  vqp::windows.emplace(reinterpret_cast<uintptr_t>(hwnd), std::move(w));

  CREATESTRUCTA cs{param, instance, menu,        nullptr,    height,    width,
                   y,     x,        LONG(style), windowName, className, exStyle};
  if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return vqp::FailCreate(ERROR_INVALID_PARAMETER, "the window refused its creation (WM_CREATE)");
  }
  if (!IsWindow(hwnd))
    return vqp::FailCreate(ERROR_INVALID_WINDOW_HANDLE, "the window was destroyed while created");
  if (style & WS_VISIBLE)
    ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  if (w->destroying)
    return TRUE; // called again while WM_DESTROY is being handled
  w->destroying = true;
  if (w->visible) {
    w->visible = false;
    vqp::ShowNative(*w);
  }
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  vqp::ForgetWindowMessages(hwnd);
  vqp::ForgetWindowDCs(hwnd);
  vqp::BackendCloseWindow(hwnd);
  vqp::windows.erase(reinterpret_cast<uintptr_t>(hwnd));
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return vqp::LookupWindow(hwnd) != nullptr; }

BOOL ShowWindow(HWND hwnd, int cmdShow) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  BOOL wasVisible = w->visible;
  bool show = cmdShow != SW_HIDE;
  if (show == w->visible)
    return wasVisible;
  w->visible = show;
  if (show) {
    // A window that appears has to be painted, and the screen has to receive
    // all of its framebuffer once.
    vqp::Invalidate(*w, vqp::WholeClient(*w), true);
    vqp::MarkDirty(w->surface, vqp::WholeClient(*w));
  }
  vqp::ShowNative(*w);
  return wasVisible;
}

BOOL UpdateWindow(HWND hwnd) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  if (w->visible && !w->update.Empty())
    SendMessageA(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

HICON LoadIconA(HINSTANCE, LPCSTR) {
  // Nobody shows the icon; any non-null handle will do.
  return reinterpret_cast<HICON>(static_cast<uintptr_t>(0x00010003));
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR) {
  return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x00010005));
}

BOOL InvalidateRect(HWND hwnd, const RECT *rect, BOOL erase) {
  if (hwnd == nullptr) {
    // Windows repaints every window then; ours are all there is.
    for (HWND h : vqp::LiveWindows())
      if (Window *w = vqp::LookupWindow(h))
        vqp::Invalidate(*w, vqp::WholeClient(*w), erase != FALSE);
    return TRUE;
  }
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  vqp::Invalidate(*w, vqp::ClientPart(*w, rect), erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT *rect) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  if (rect == nullptr) {
    w->update = {};
    w->eraseRequested = false;
  } else {
    vqp::Validate(*w, vqp::ClientPart(*w, rect));
  }
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT *ps) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr || ps == nullptr)
    return nullptr;
  *ps = PAINTSTRUCT{};
  ps->rcPaint = {w->update.left, w->update.top, w->update.right, w->update.bottom};
  // No background is erased here: fErase tells the caller that it has to.
  ps->fErase = w->eraseRequested ? TRUE : FALSE;
  w->update = {};
  w->eraseRequested = false;
  ps->hdc = GetDC(hwnd);
  return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT *ps) {
  if (vqp::Require(hwnd) == nullptr || ps == nullptr)
    return FALSE;
  if (ps->hdc)
    ReleaseDC(hwnd, ps->hdc);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  if (rect == nullptr)
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  *rect = {0, 0, w->surface.width, w->surface.height};
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  if (rect == nullptr)
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  *rect = {w->x, w->y, vqp::Saturate(static_cast<long long>(w->x) + w->outerW),
           vqp::Saturate(static_cast<long long>(w->y) + w->outerH)};
  return TRUE;
}

namespace {
// Copies as much of `text` as fits with its terminating NUL; returns the
// number of characters copied.
int CopyText(const std::string &text, LPSTR out, int maxCount) {
  if (out == nullptr || maxCount <= 0)
    return vqp::Fail(ERROR_INVALID_PARAMETER, 0);
  size_t n = std::min(text.size(), static_cast<size_t>(maxCount) - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return static_cast<int>(n);
}
} // namespace

int GetWindowTextA(HWND hwnd, LPSTR text, int maxCount) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr) {
    if (text && maxCount > 0)
      text[0] = '\0';
    return 0;
  }
  return CopyText(w->title, text, maxCount);
}

int GetClassNameA(HWND hwnd, LPSTR name, int maxCount) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return 0;
  return CopyText(w->className, name, maxCount);
}

BOOL SetWindowPos(HWND hwnd, HWND /*insertAfter*/, int x, int y, int cx, int cy, UINT flags) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  if (flags & SWP_NOMOVE) {
    x = w->x;
    y = w->y;
  }
  // Without a new size the outer size stays: a new frame (SWP_FRAMECHANGED)
  // takes its room from the client area.
  if (flags & SWP_NOSIZE) {
    cx = w->outerW;
    cy = w->outerH;
  }
  vqp::PlaceWindow(hwnd, x, y, cx, cy);
  return TRUE;
}

LONG GetWindowLongA(HWND hwnd, int index) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return 0;
  if (index == GWL_STYLE)
    return LONG(w->style | (w->visible ? DWORD(WS_VISIBLE) : 0));
  if (index == GWL_EXSTYLE)
    return LONG(w->exStyle);
  return vqp::Fail<LONG>(ERROR_INVALID_PARAMETER, 0);
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return 0;
  const LONG previous = GetWindowLongA(hwnd, index);
  if (index == GWL_STYLE)
    w->style = DWORD(value) & ~DWORD(WS_VISIBLE); // ShowWindow shows and hides
  else if (index == GWL_EXSTYLE)
    w->exStyle = DWORD(value);
  else
    return 0;
  // Windows returns 0 for a previous value of 0 too: the error tells them apart.
  SetLastError(ERROR_SUCCESS);
  return previous;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT *placement) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  if (placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT))
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  // The layer's windows are never minimized or maximized.
  placement->flags = 0;
  placement->showCmd = w->visible ? SW_SHOWNORMAL : SW_HIDE;
  placement->ptMinPosition = {-1, -1};
  placement->ptMaxPosition = {-1, -1};
  GetWindowRect(hwnd, &placement->rcNormalPosition);
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT *placement) {
  Window *w = vqp::Require(hwnd);
  if (w == nullptr)
    return FALSE;
  if (placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT))
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  const RECT &r = placement->rcNormalPosition;
  vqp::PlaceWindow(hwnd, r.left, r.top, vqp::Saturate(static_cast<long long>(r.right) - r.left),
                   vqp::Saturate(static_cast<long long>(r.bottom) - r.top));
  if (vqp::LookupWindow(hwnd))
    ShowWindow(hwnd, placement->showCmd == SW_HIDE ? SW_HIDE : SW_SHOW);
  return TRUE;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  if (vqp::LookupWindow(hwnd))
    return vqp::MonitorHandle(vqp::BackendMonitorOf(hwnd));
  return flags == MONITOR_DEFAULTTONULL ? nullptr : vqp::MonitorHandle(0);
}

BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
  if (info == nullptr || info->cbSize < sizeof(MONITORINFO))
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  RECT area{}, work{};
  const int index = vqp::MonitorIndex(monitor);
  if (index < 0 || !vqp::BackendMonitorArea(index, area, work))
    return vqp::Fail(ERROR_INVALID_MONITOR_HANDLE, FALSE);
  info->rcMonitor = area;
  info->rcWork = work;
  info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

namespace {
// WM_GETTEXT in UTF-16.
int CopyTitleW(HWND hwnd, LPWSTR text, int maxCount) {
  Window *w = vqp::Require(hwnd);
  if (text == nullptr || maxCount <= 0)
    return 0;
  text[0] = 0;
  if (w == nullptr || w->title.empty())
    return 0;
  // Cut to fit, ended by a 0, as Windows does.
  std::vector<WCHAR> wide(w->title.size() + 1);
  const int length = MultiByteToWideChar(CP_UTF8, 0, w->title.c_str(), -1, wide.data(),
                                         static_cast<int>(wide.size()));
  const int n = std::max(0, std::min(length - 1, maxCount - 1));
  std::copy(wide.begin(), wide.begin() + n, text);
  text[n] = 0;
  return n;
}
} // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETTEXT)
    return CopyTitleW(hwnd, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
  if (msg != WM_SETTEXT)
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  Window *w = vqp::Require(hwnd);
  const auto *text = reinterpret_cast<LPCWSTR>(lParam);
  if (w == nullptr)
    return FALSE;
  // Kept as UTF-8, which the backends show.
  int length = 0;
  while (text && text[length])
    ++length;
  w->title = vqp::gdi::Utf8(vqp::gdi::FromWide(text, length));
  vqp::BackendSetTitle(hwnd, w->title.c_str());
  return TRUE;
}

BOOL GetUserPreferredUILanguages(DWORD flags, ULONG *count, LPWSTR buffer, ULONG *bufferSize) {
  if (count == nullptr || bufferSize == nullptr || !(flags & MUI_LANGUAGE_NAME))
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  const std::vector<std::string> names = vqp::BackendUserLanguages();
  std::u16string list;
  for (const std::string &name : names) {
    list.append(name.begin(), name.end());
    list += u'\0';
  }
  list += u'\0';
  *count = ULONG(names.size());
  const bool tooSmall = buffer != nullptr && *bufferSize < list.size();
  *bufferSize = ULONG(list.size());
  if (tooSmall)
    return vqp::Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
  if (buffer)
    std::copy(list.begin(), list.end(), buffer);
  return TRUE;
}

UINT GetDpiForWindow(HWND hwnd) {
  if (vqp::Require(hwnd) == nullptr)
    return 0;
  return vqp::BackendDpi(hwnd);
}

int GetSystemMetrics(int index) {
  const bool touch = vqp::BackendTouchIsPrimary();
  if (index == SM_MOUSEPRESENT)
    return touch ? 0 : 1;
  if (index == SM_DIGITIZER)
    return touch ? NID_INTEGRATED_TOUCH | NID_READY : 0;
  return 0;
}

BOOL SystemParametersInfoA(UINT action, UINT, PVOID param, UINT) {
  if (action != SPI_GETCLIENTAREAANIMATION || param == nullptr)
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  *static_cast<BOOL *>(param) = vqp::BackendReducesMotion() ? FALSE : TRUE;
  return TRUE;
}

} // namespace vqw
