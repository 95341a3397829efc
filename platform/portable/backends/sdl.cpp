// The SDL2 backend: one resizable SDL window per layer window. A present
// converts only the changed rectangle of the framebuffer (COLORREF pixels,
// 0x00BBGGRR, which is SDL_PIXELFORMAT_XBGR8888) into the window surface and
// sends just that rectangle to the screen.
// Input arrives through SDL's event queue. BackendWaitForInput waits without
// spinning: on X11 on the display connection itself, elsewhere in SDL.
//
// Pixels: where the system counts window sizes in points of several pixels
// (Wayland, macOS on a dense screen), the layer's client area is the window's
// pixels, and its DPI 96 times pixels per point; elsewhere (X11) 96.
// Full screen is the desktop's full screen (no mode change), made by the
// window manager; on an X server without one (Xvfb, a kiosk session), where
// nobody would act on that request, the window covers the display itself,
// without border.
#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11) && !defined(__APPLE__)
#include <X11/Xatom.h>
#include <poll.h>
#define VQ_WAIT_ON_X11 1
#endif

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "../backend.h"
#include "desktop_shared.h"

namespace vqp {
namespace {

struct Native {
  SDL_Window *window = nullptr;
  SDL_Surface *shown = nullptr; // the window surface last drawn into
  int shownW = 0, shownH = 0;
  bool placed = false;            // moved to the window's own position on its first show
  double pixelsPerPoint = 1.0;    // the window's pixels for each point of its size
  bool desktopFullScreen = false; // full screen by the window manager
};

std::map<HWND, Native> natives;
bool videoUp = false;
// The X display connection while SDL runs on X11; -1 otherwise.
int x11Connection = -1;

const char *const kNoDisplay = "no display; set DISPLAY or run under xvfb-run";

bool Set(const char *name) {
  const char *v = std::getenv(name);
  return v != nullptr && v[0] != '\0';
}

bool StartVideo(std::string &reason) {
  if (videoUp)
    return true;
#if !defined(__APPLE__) && !defined(_WIN32)
  // Without a display SDL would quietly fall back to a window nobody can see.
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
    reason = kNoDisplay;
    return false;
  }
#endif
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    reason = std::string("cannot start SDL video: ") + SDL_GetError();
    return false;
  }
  const char *driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
      std::strcmp(driver, "dummy") == 0) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (Set("DISPLAY"))
      reason = std::string("cannot open display ") + std::getenv("DISPLAY") +
               "; set DISPLAY or run under xvfb-run";
    else
      reason = kNoDisplay;
    return false;
  }
  // On X11, draw straight into the native window (shared memory) rather than
  // through a GPU texture: SDL's texture path re-sends the whole window on every
  // present, which a software GL (as under Xvfb) pays for in full each tick.
  // Other drivers have no such path and keep SDL's default.
  if (std::strcmp(driver, "x11") == 0)
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Keys are read as keys; no character composition (input methods) is wanted.
  SDL_StopTextInput();
  videoUp = true;
  std::atexit(SDL_Quit);
  return true;
}

// Notes the X display connection behind a window, so that waiting can watch it.
void NoteDisplayConnection([[maybe_unused]] SDL_Window *window) {
#ifdef VQ_WAIT_ON_X11
  if (x11Connection >= 0)
    return;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11)
    x11Connection = ConnectionNumber(info.info.x11.display);
#endif
}

// Waits until native input may have arrived or timeoutMs passed (-1: no limit).
//
// On X11 this does not use SDL_WaitEventTimeout. While that waits, each event
// it reads makes SDL send the window a wake-up message over a second display
// connection (meant for other threads that add events). When the event is the
// close button's, the window is destroyed right after, and the X server may
// take the wake-up after the destroy: the message then fails (BadWindow), and
// Xlib reports that when SDL_Quit closes the second connection, ending the
// program with exit code 1. One thread needs no wake-ups: it reads what is
// queued and then sleeps on the connection itself, as SDL would.
void WaitForNativeInput(int timeoutMs) {
#ifdef VQ_WAIT_ON_X11
  if (x11Connection >= 0) {
    SDL_PumpEvents(); // reads what the connection holds and flushes requests
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE)
      return;
    pollfd connection{x11Connection, POLLIN, 0};
    poll(&connection, 1, timeoutMs);
    return;
  }
#endif
  SDL_WaitEventTimeout(nullptr, timeoutMs);
}

// The window's pixels for each point of its size, as SDL says now.
double PixelsPerPoint(SDL_Window *window) {
  int points = 0, pixels = 0, h = 0;
  SDL_GetWindowSize(window, &points, &h);
#if SDL_VERSION_ATLEAST(2, 26, 0)
  SDL_GetWindowSizeInPixels(window, &pixels, &h);
#else
  pixels = points;
#endif
  return points > 0 && pixels > 0 ? static_cast<double>(pixels) / points : 1.0;
}

int ToPixels(const Native &n, int points) {
  return static_cast<int>(std::lround(points * n.pixelsPerPoint));
}
int ToPoints(const Native &n, int pixels) {
  return std::max(1, static_cast<int>(std::lround(pixels / n.pixelsPerPoint)));
}

// The client size in pixels the window has now.
void TellClientSize(HWND h, Native &n) {
  int w = 0, height = 0;
  SDL_GetWindowSize(n.window, &w, &height);
  LayerClientResized(h, ToPixels(n, w), ToPixels(n, height));
}

// Whether a window manager runs on the window's X server: one that names
// itself on the root window (_NET_SUPPORTING_WM_CHECK), as every window
// manager that does full screen does. True off X11, where the system always
// has its full screen. Xlib is SDL's own, loaded while it runs.
bool WindowManagerRuns([[maybe_unused]] SDL_Window *window) {
#ifdef VQ_WAIT_ON_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
    return true;
  using InternAtom = Atom (*)(Display *, const char *, Bool);
  using GetProperty = int (*)(Display *, Window, Atom, long, long, Bool, Atom, Atom *, int *,
                              unsigned long *, unsigned long *, unsigned char **);
  using Free = int (*)(void *);
  static void *xlib = SDL_LoadObject("libX11.so.6");
  const auto intern =
      reinterpret_cast<InternAtom>(xlib ? SDL_LoadFunction(xlib, "XInternAtom") : nullptr);
  const auto get =
      reinterpret_cast<GetProperty>(xlib ? SDL_LoadFunction(xlib, "XGetWindowProperty") : nullptr);
  const auto release = reinterpret_cast<Free>(xlib ? SDL_LoadFunction(xlib, "XFree") : nullptr);
  if (!intern || !get || !release)
    return true;
  Display *display = info.info.x11.display;
  const Atom check = intern(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None)
    return false;
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char *data = nullptr;
  const bool named = get(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                         &format, &items, &after, &data) == Success &&
                     type == XA_WINDOW && items == 1;
  if (data)
    release(data);
  return named;
#else
  return true;
#endif
}

HWND ByWindowId(Uint32 id) {
  for (auto &entry : natives)
    if (SDL_GetWindowID(entry.second.window) == id)
      return entry.first;
  return nullptr;
}

// Shows the whole window surface again, for example after the window was uncovered.
void Redisplay(Native &n) {
  if (n.shown)
    SDL_UpdateWindowSurface(n.window);
}

// The Win32 virtual-key code of a key, 0 for one without. By the key's meaning
// in the keyboard's layout (its keycode), as Windows' codes for letters and
// marks go; the others by what they do.
UINT VirtualKeyOf(const SDL_Keysym &key) {
  const SDL_Keycode k = key.sym;
  if (k >= SDLK_a && k <= SDLK_z)
    return static_cast<UINT>('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9)
    return static_cast<UINT>('0' + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12)
    return static_cast<UINT>(VK_F1 + (k - SDLK_F1));
  static constexpr struct {
    SDL_Keycode sdl;
    UINT key;
  } kKeys[] = {{SDLK_BACKSPACE, VK_BACK},  {SDLK_TAB, VK_TAB},
               {SDLK_RETURN, VK_RETURN},   {SDLK_KP_ENTER, VK_RETURN},
               {SDLK_PAUSE, VK_PAUSE},     {SDLK_ESCAPE, VK_ESCAPE},
               {SDLK_SPACE, VK_SPACE},     {SDLK_PAGEUP, VK_PRIOR},
               {SDLK_PAGEDOWN, VK_NEXT},   {SDLK_END, VK_END},
               {SDLK_HOME, VK_HOME},       {SDLK_LEFT, VK_LEFT},
               {SDLK_UP, VK_UP},           {SDLK_RIGHT, VK_RIGHT},
               {SDLK_DOWN, VK_DOWN},       {SDLK_INSERT, VK_INSERT},
               {SDLK_DELETE, VK_DELETE},   {SDLK_PERIOD, VK_OEM_PERIOD},
               {SDLK_MINUS, VK_OEM_MINUS}, {SDLK_EQUALS, VK_OEM_PLUS},
               {SDLK_PLUS, VK_OEM_PLUS},   {SDLK_KP_MINUS, VK_SUBTRACT},
               {SDLK_KP_PLUS, VK_ADD},     {SDLK_KP_PERIOD, VK_DECIMAL},
               {SDLK_LSHIFT, VK_SHIFT},    {SDLK_RSHIFT, VK_SHIFT},
               {SDLK_LCTRL, VK_CONTROL},   {SDLK_RCTRL, VK_CONTROL},
               {SDLK_LALT, VK_MENU},       {SDLK_RALT, VK_MENU}};
  for (const auto &entry : kKeys)
    if (entry.sdl == k)
      return entry.key;
  return 0;
}

void Handle(const SDL_Event &e) {
  switch (e.type) {
  case SDL_KEYDOWN:
  case SDL_KEYUP:
    if (HWND h = ByWindowId(e.key.windowID)) {
      const UINT key = VirtualKeyOf(e.key.keysym);
      const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      if (key != 0 && e.type == SDL_KEYDOWN)
        LayerKeyDown(h, key, alt);
      else if (key != 0)
        LayerKeyUp(h, key, alt);
    }
    break;
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP:
    if (e.button.button == SDL_BUTTON_LEFT) {
      if (HWND h = ByWindowId(e.button.windowID)) {
        const Native &n = natives[h];
        if (e.type == SDL_MOUSEBUTTONDOWN)
          LayerMouseDown(h, ToPixels(n, e.button.x), ToPixels(n, e.button.y));
        else
          LayerMouseUp(h, ToPixels(n, e.button.x), ToPixels(n, e.button.y));
      }
    }
    break;
  case SDL_WINDOWEVENT: {
    HWND h = ByWindowId(e.window.windowID);
    if (h == nullptr)
      break;
    switch (e.window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      TellClientSize(h, natives[h]);
      break;
    case SDL_WINDOWEVENT_MOVED:
      LayerWindowMoved(h, ToPixels(natives[h], e.window.data1),
                       ToPixels(natives[h], e.window.data2));
      break;
#if SDL_VERSION_ATLEAST(2, 0, 18)
    case SDL_WINDOWEVENT_DISPLAY_CHANGED: {
      // On another display the window may have other pixels for each point.
      Native &n = natives[h];
      const double ratio = PixelsPerPoint(n.window);
      if (ratio != n.pixelsPerPoint) {
        const UINT oldDpi = BackendDpi(h);
        n.pixelsPerPoint = ratio;
        LayerDpiChanged(h, oldDpi, BackendDpi(h));
        TellClientSize(h, n);
      }
      break;
    }
#endif
    case SDL_WINDOWEVENT_CLOSE:
      LayerCloseRequested(h);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      Redisplay(natives[h]);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      LayerKeyboardLost();
      break;
    default:
      break;
    }
    break;
  }
  case SDL_QUIT:
    // Ctrl+C or the session ending: close every window as its close button would.
    for (auto &entry : natives)
      LayerCloseRequested(entry.first);
    break;
  default:
    break;
  }
}

} // namespace

bool BackendOpenWindow(HWND hwnd, int clientWidth, int clientHeight, const char *title,
                       std::string &reason) {
  if (!StartVideo(reason))
    return false;
  Native n;
  // SDL windows cannot be empty; the framebuffer may be.
  n.window =
      SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                       clientWidth > 0 ? clientWidth : 1, clientHeight > 0 ? clientHeight : 1,
                       SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (n.window == nullptr) {
    reason = std::string("cannot create an SDL window: ") + SDL_GetError();
    return false;
  }
  // The size asked for is in pixels: where a point has several, fewer points.
  n.pixelsPerPoint = PixelsPerPoint(n.window);
  if (n.pixelsPerPoint != 1.0)
    SDL_SetWindowSize(n.window, ToPoints(n, clientWidth), ToPoints(n, clientHeight));
  NoteDisplayConnection(n.window);
  natives[hwnd] = n;
  return true;
}

void BackendCloseWindow(HWND hwnd) {
  auto it = natives.find(hwnd);
  if (it == natives.end())
    return;
  SDL_DestroyWindow(it->second.window);
  natives.erase(it);
}

void BackendShowWindow(HWND hwnd, bool visible, int clientLeft, int clientTop) {
  auto it = natives.find(hwnd);
  if (it == natives.end())
    return;
  if (visible) {
    if (!it->second.placed) {
      // Where the program put the window; later, wherever the user moves it.
      SDL_SetWindowPosition(it->second.window, ToPoints(it->second, clientLeft),
                            ToPoints(it->second, clientTop));
      it->second.placed = true;
    }
    SDL_ShowWindow(it->second.window);
  } else
    SDL_HideWindow(it->second.window);
}

void BackendSetTitle(HWND hwnd, const char *title) {
  auto it = natives.find(hwnd);
  if (it != natives.end())
    SDL_SetWindowTitle(it->second.window, title);
}

void BackendResizeWindow(HWND hwnd, int clientWidth, int clientHeight) {
  auto it = natives.find(hwnd);
  if (it != natives.end())
    SDL_SetWindowSize(it->second.window, ToPoints(it->second, clientWidth),
                      ToPoints(it->second, clientHeight));
}

void BackendSetFullScreen(HWND hwnd, bool fullScreen, const RECT &client) {
  auto it = natives.find(hwnd);
  if (it == natives.end())
    return;
  Native &n = it->second;
  if (fullScreen) {
    n.desktopFullScreen = WindowManagerRuns(n.window) &&
                          SDL_SetWindowFullscreen(n.window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    if (!n.desktopFullScreen) {
      SDL_Rect bounds{0, 0, 0, 0};
      SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(n.window), 0), &bounds);
      SDL_SetWindowBordered(n.window, SDL_FALSE);
      SDL_SetWindowPosition(n.window, bounds.x, bounds.y);
      SDL_SetWindowSize(n.window, bounds.w, bounds.h);
    }
    return;
  }
  if (n.desktopFullScreen)
    SDL_SetWindowFullscreen(n.window, 0);
  n.desktopFullScreen = false;
  SDL_SetWindowBordered(n.window, SDL_TRUE);
  SDL_SetWindowSize(n.window, ToPoints(n, client.right - client.left),
                    ToPoints(n, client.bottom - client.top));
  SDL_SetWindowPosition(n.window, ToPoints(n, client.left), ToPoints(n, client.top));
}

int BackendMonitorOf(HWND hwnd) {
  auto it = natives.find(hwnd);
  return it == natives.end() ? 0 : std::max(SDL_GetWindowDisplayIndex(it->second.window), 0);
}

bool BackendMonitorArea(int monitor, RECT &area, RECT &work) {
  SDL_Rect bounds{0, 0, 0, 0}, usable{0, 0, 0, 0};
  if (!videoUp || monitor < 0 || monitor >= SDL_GetNumVideoDisplays() ||
      SDL_GetDisplayBounds(monitor, &bounds) != 0)
    return false;
  if (SDL_GetDisplayUsableBounds(monitor, &usable) != 0)
    usable = bounds;
  // In the pixels of the windows there (one window is all the program has).
  const Native *n = natives.empty() ? nullptr : &natives.begin()->second;
  const auto px = [&](int points) { return n ? ToPixels(*n, points) : points; };
  area = RECT{px(bounds.x), px(bounds.y), px(bounds.x + bounds.w), px(bounds.y + bounds.h)};
  work = RECT{px(usable.x), px(usable.y), px(usable.x + usable.w), px(usable.y + usable.h)};
  return true;
}

// A desktop has a mouse; SDL tells nothing of the user's wish for less motion.
bool BackendTouchIsPrimary() { return false; }
bool BackendReducesMotion() { return false; }

UINT BackendDpi(HWND hwnd) {
  auto it = natives.find(hwnd);
  return it == natives.end()
             ? USER_DEFAULT_SCREEN_DPI
             : static_cast<UINT>(std::lround(USER_DEFAULT_SCREEN_DPI * it->second.pixelsPerPoint));
}

void BackendPresent(HWND hwnd, const Surface &s) {
  auto it = natives.find(hwnd);
  if (it == natives.end() || s.width <= 0 || s.height <= 0)
    return;
  Native &n = it->second;
  SDL_Surface *ws = SDL_GetWindowSurface(n.window);
  if (ws == nullptr)
    return;
  PixelRect d = s.dirty;
  if (ws != n.shown || ws->w != n.shownW || ws->h != n.shownH) {
    // A new window surface holds nothing yet: give it everything.
    n.shown = ws;
    n.shownW = ws->w;
    n.shownH = ws->h;
    d = {0, 0, s.width, s.height};
  }
  if (d.right > ws->w)
    d.right = ws->w;
  if (d.bottom > ws->h)
    d.bottom = ws->h;
  if (d.Empty())
    return;
  SDL_Rect r{d.left, d.top, d.right - d.left, d.bottom - d.top};
  SDL_LockSurface(ws);
  SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_XBGR8888,
                    s.pixels.data() + static_cast<size_t>(d.top) * s.width + d.left, s.width * 4,
                    ws->format->format,
                    static_cast<Uint8 *>(ws->pixels) + static_cast<size_t>(d.top) * ws->pitch +
                        static_cast<size_t>(d.left) * ws->format->BytesPerPixel,
                    ws->pitch);
  SDL_UnlockSurface(ws);
  SDL_UpdateWindowSurfaceRects(n.window, &r, 1);
}

uint64_t BackendNowMs() { return SDL_GetTicks64(); }

bool BackendInputCanArrive() { return videoUp; }

bool DispatchFromPlatform() { return false; }

bool BackendFontBytes(int face, const unsigned char **data, size_t *size) {
  return BuiltInFaceBytes(face, data, size);
}

std::vector<std::string> BackendUserLanguages() { return LocaleLanguages(); }

void ShowAddress(const char *) {}

void BackendWaitForInput(uint64_t deadlineMs) {
  const uint64_t now = SDL_GetTicks64();
  const int timeoutMs = deadlineMs == UINT64_MAX ? -1
                        : deadlineMs <= now
                            ? 0
                            : static_cast<int>(std::min<uint64_t>(deadlineMs - now, 0x7FFFFFFF));
  if (!videoUp) {
    // No window was ever opened: only the clock moves.
    if (timeoutMs > 0)
      SDL_Delay(static_cast<Uint32>(timeoutMs));
    return;
  }
  if (timeoutMs != 0)
    WaitForNativeInput(timeoutMs);
  SDL_Event e;
  while (SDL_PollEvent(&e) == 1)
    Handle(e);
}

} // namespace vqp
