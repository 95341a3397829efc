// The subset of user32, gdi32, comctl32 and kernel32 that VELQOR uses, with the
// Win32 types, constants and signatures, implemented by the portable layer.
//
// The functions live in namespace vqw (so their link symbols never clash with a
// system library) and are brought into the global namespace by using-declarations,
// so that calling code reads exactly as it does against <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- basic types ----------------------------------------------------------
typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef WORD *LPWORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef uintptr_t UINT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;
typedef const char *LPCSTR;
typedef char *LPSTR;
// UTF-16, as on Windows.
typedef char16_t WCHAR;
typedef const WCHAR *LPCWSTR;
typedef WCHAR *LPWSTR;
typedef unsigned long ULONG;
typedef void *LPVOID;
typedef void *PVOID;
typedef void *HANDLE;
typedef void *HGDIOBJ;

#define DECLARE_VQ_HANDLE(name)                                                                    \
  struct name##__ {                                                                                \
    int unused;                                                                                    \
  };                                                                                               \
  typedef struct name##__ *name

DECLARE_VQ_HANDLE(HWND);
DECLARE_VQ_HANDLE(HDC);
DECLARE_VQ_HANDLE(HPEN);
DECLARE_VQ_HANDLE(HBRUSH);
DECLARE_VQ_HANDLE(HRGN);
DECLARE_VQ_HANDLE(HFONT);
DECLARE_VQ_HANDLE(HMONITOR);
DECLARE_VQ_HANDLE(HINSTANCE);
DECLARE_VQ_HANDLE(HICON);
DECLARE_VQ_HANDLE(HMENU);
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;
#undef DECLARE_VQ_HANDLE

#define WINAPI
#define CALLBACK

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef LRESULT(CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK *TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

struct POINT {
  LONG x;
  LONG y;
};
typedef POINT *LPPOINT;

struct SIZE {
  LONG cx;
  LONG cy;
};
typedef SIZE *LPSIZE;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT *LPRECT;

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
typedef MSG *LPMSG;

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
};

struct CREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};

struct LOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
};

struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  uintptr_t lbHatch;
};

#define LF_FACESIZE 32
struct LOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  char lfFaceName[LF_FACESIZE];
};

struct WINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};

struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
typedef MONITORINFO *LPMONITORINFO;

// ---- macros ---------------------------------------------------------------
#define MAKEINTRESOURCEA(i) ((LPSTR)((uintptr_t)((WORD)(i))))
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define RGB(r, g, b)                                                                               \
  ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define LOWORD(l) ((WORD)(((uintptr_t)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((uintptr_t)(l)) >> 16) & 0xffff))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)((WORD)(l) | ((DWORD)((WORD)(h))) << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)((WORD)(l) | ((DWORD)((WORD)(h))) << 16))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

// ---- messages -------------------------------------------------------------
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SIZE 0x0005
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_DISPLAYCHANGE 0x007E
#define WM_FONTCHANGE 0x001D
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_TIMER 0x0113
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_DPICHANGED 0x02E0
#define WM_APPCOMMAND 0x0319
#define WM_USER 0x0400

// WM_APPCOMMAND: the command and the device it came from, in lParam's high word.
#define APPCOMMAND_BROWSER_BACKWARD 1
#define APPCOMMAND_BROWSER_FORWARD 2
#define FAPPCOMMAND_OEM 0x1000
#define FAPPCOMMAND_MASK 0xF000
#define GET_APPCOMMAND_LPARAM(lParam) ((short)(HIWORD(lParam) & ~FAPPCOMMAND_MASK))

#define SIZE_RESTORED 0
#define SM_MOUSEPRESENT 19
#define SM_DIGITIZER 94
#define NID_INTEGRATED_TOUCH 0x01
#define NID_READY 0x80
#define SPI_GETCLIENTAREAANIMATION 0x1042
#define CP_ACP 0
#define CP_UTF8 65001
#define MB_ERR_INVALID_CHARS 0x08
#define MUI_LANGUAGE_NAME 0x8
#define USER_TIMER_MINIMUM 0x0000000A
#define USER_TIMER_MAXIMUM 0x7FFFFFFF

// Virtual-key codes of the keys the program and the backends know.
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_F1 0x70
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_OEM_PLUS 0xBB
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
// WM_KEYDOWN's lParam: the key was already down (an auto-repeat), Alt was held.
#define KF_REPEAT 0x4000
#define KF_ALTDOWN 0x2000

#define MK_LBUTTON 0x0001
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// ---- windows --------------------------------------------------------------
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CAPTION 0x00C00000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_VISIBLE 0x10000000L
#define WS_OVERLAPPEDWINDOW                                                                        \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define CW_USEDEFAULT ((int)0x80000000)
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_NOOWNERZORDER 0x0200
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define MONITOR_DEFAULTTONULL 0x00000000
#define MONITOR_DEFAULTTOPRIMARY 0x00000001
#define MONITOR_DEFAULTTONEAREST 0x00000002
#define MONITORINFOF_PRIMARY 0x00000001
#define USER_DEFAULT_SCREEN_DPI 96
#define HWND_TOP ((HWND)0)
#define COLOR_BACKGROUND 1

// ---- gdi ------------------------------------------------------------------
#define PS_SOLID 0
#define PS_NULL 5
#define BS_SOLID 0
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_FONT 6
// CreateFontA: the values the layer reads (height, weight, face) and the
// others a caller passes, which the layer's one font ignores.
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define OUT_TT_PRECIS 4
#define CLIP_DEFAULT_PRECIS 0
#define ANTIALIASED_QUALITY 4
#define DEFAULT_PITCH 0
#define FF_SWISS (2 << 4)
#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24
#define TRANSPARENT 1
#define OPAQUE 2
#define CLR_INVALID 0xFFFFFFFF
// What a clipping call says of the clip region it leaves.
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define GDI_ERROR 0xFFFFFFFFL
#define GGI_MARK_NONEXISTING_GLYPHS 0x0001
#define HGDI_ERROR ((HANDLE)(intptr_t)-1)
#define GR_GDIOBJECTS 0
#define GR_USEROBJECTS 1

// ---- errors ---------------------------------------------------------------
#define ERROR_SUCCESS 0L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_MR_MID_NOT_FOUND 317L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_NO_MORE_USER_HANDLES 1158L
#define ERROR_INVALID_MONITOR_HANDLE 1461L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_NO_UNICODE_TRANSLATION 1113L

#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000

namespace vqw {

// user32: classes, windows and messages
ATOM RegisterClassA(const WNDCLASSA *wc);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL UpdateWindow(HWND hwnd);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
BOOL TranslateMessage(const MSG *msg);
LRESULT DispatchMessageA(const MSG *msg);
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL InvalidateRect(HWND hwnd, const RECT *rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT *rect);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT *ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT *ps);
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
int GetWindowTextA(HWND hwnd, LPSTR text, int maxCount);
// WM_SETTEXT and WM_GETTEXT with the title in UTF-16 (kept as UTF-8, which
// the backends show); any other message as DefWindowProcA.
LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The user's languages, most wanted first, as MUI_LANGUAGE_NAME asks: names
// such as "de-DE", each ended by a 0, the list by another. With buffer null,
// *bufferSize gives the length needed.
BOOL GetUserPreferredUILanguages(DWORD flags, ULONG *count, LPWSTR buffer, ULONG *bufferSize);
int GetClassNameA(HWND hwnd, LPSTR name, int maxCount);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// GWL_STYLE and GWL_EXSTYLE. A new style takes effect on the frame at the next
// SetWindowPos (SWP_FRAMECHANGED): a window with neither WS_CAPTION nor
// WS_THICKFRAME has no frame, and one that then covers its monitor is full
// screen.
LONG GetWindowLongA(HWND hwnd, int index);
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT *placement);
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT *placement);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info);
// The DPI of the window's monitor (96 on a standard screen); 0 for a bad window.
UINT GetDpiForWindow(HWND hwnd);
// SM_MOUSEPRESENT (0 where touch is the primary input, as on a phone),
// SM_DIGITIZER (NID_INTEGRATED_TOUCH | NID_READY there); 0 for any other.
int GetSystemMetrics(int index);
// SPI_GETCLIENTAREAANIMATION: *param (a BOOL) FALSE where the user asked for
// less motion; FALSE for any other action.
BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID param, UINT winIni);
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
int FillRect(HDC hdc, const RECT *rect, HBRUSH brush);
DWORD GetGuiResources(HANDLE process, DWORD flags);

// comctl32
void InitCommonControls(void);

// kernel32
HMODULE GetModuleHandleA(LPCSTR moduleName);
DWORD GetLastError(void);
void SetLastError(DWORD error);
DWORD FormatMessageA(DWORD flags, const void *source, DWORD messageId, DWORD languageId,
                     LPSTR buffer, DWORD size, void *arguments);
HANDLE GetCurrentProcess(void);

// gdi32
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
// The layer's one font at the height (a cell height; a negative one is the
// height of the characters, as in GDI; 0 is the default's 16), whatever the
// face name. Width, angles, style flags and qualities are not drawn.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
int GetObjectA(HANDLE object, int size, LPVOID out);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL LineTo(HDC hdc, int x, int y);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position);
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length);
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size);
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int length);
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int length, LPSIZE size);
// The selected font's glyph of each UTF-16 unit; with GGI_MARK_NONEXISTING_GLYPHS,
// 0xFFFF for a character the font lacks.
DWORD GetGlyphIndicesW(HDC hdc, LPCWSTR text, int length, LPWORD indices, DWORD flags);
// CP_UTF8 and CP_ACP (Windows-1252); without MB_ERR_INVALID_CHARS a byte that
// is not UTF-8 becomes U+FFFD. inLength -1: up to and with the terminating 0.
// With out null or outLength 0, the length needed.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR in, int inLength, LPWSTR out,
                        int outLength);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
COLORREF GetPixel(HDC hdc, int x, int y);
// The clip region is a rectangle here (or none: SelectClipRgn(hdc, NULL)).
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int SelectClipRgn(HDC hdc, HRGN region);
int GetClipBox(HDC hdc, LPRECT rect);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);

} // namespace vqw

using vqw::BeginPaint;
using vqw::CreateFontA;
using vqw::CreatePen;
using vqw::CreateSolidBrush;
using vqw::CreateWindowExA;
using vqw::DefWindowProcA;
using vqw::DefWindowProcW;
using vqw::DeleteObject;
using vqw::DestroyWindow;
using vqw::DispatchMessageA;
using vqw::Ellipse;
using vqw::EndPaint;
using vqw::FillRect;
using vqw::FormatMessageA;
using vqw::GetBkColor;
using vqw::GetBkMode;
using vqw::GetClassNameA;
using vqw::GetClientRect;
using vqw::GetClipBox;
using vqw::GetCurrentObject;
using vqw::GetCurrentPositionEx;
using vqw::GetCurrentProcess;
using vqw::GetDC;
using vqw::GetDpiForWindow;
using vqw::GetGlyphIndicesW;
using vqw::GetGuiResources;
using vqw::GetLastError;
using vqw::GetMessageA;
using vqw::GetModuleHandleA;
using vqw::GetMonitorInfoA;
using vqw::GetObjectA;
using vqw::GetPixel;
using vqw::GetROP2;
using vqw::GetSystemMetrics;
using vqw::GetTextAlign;
using vqw::GetTextColor;
using vqw::GetTextExtentPoint32A;
using vqw::GetTextExtentPoint32W;
using vqw::GetUserPreferredUILanguages;
using vqw::GetWindowLongA;
using vqw::GetWindowPlacement;
using vqw::GetWindowRect;
using vqw::GetWindowTextA;
using vqw::InitCommonControls;
using vqw::IntersectClipRect;
using vqw::InvalidateRect;
using vqw::IsWindow;
using vqw::KillTimer;
using vqw::LineTo;
using vqw::LoadCursorA;
using vqw::LoadIconA;
using vqw::MonitorFromWindow;
using vqw::MoveToEx;
using vqw::MultiByteToWideChar;
using vqw::PeekMessageA;
using vqw::PostMessageA;
using vqw::PostQuitMessage;
using vqw::Rectangle;
using vqw::RegisterClassA;
using vqw::ReleaseDC;
using vqw::SelectClipRgn;
using vqw::SelectObject;
using vqw::SendMessageA;
using vqw::SetBkColor;
using vqw::SetBkMode;
using vqw::SetLastError;
using vqw::SetPixel;
using vqw::SetROP2;
using vqw::SetTextAlign;
using vqw::SetTextColor;
using vqw::SetTimer;
using vqw::SetWindowLongA;
using vqw::SetWindowPlacement;
using vqw::SetWindowPos;
using vqw::ShowWindow;
using vqw::SystemParametersInfoA;
using vqw::TextOutA;
using vqw::TextOutW;
using vqw::TranslateMessage;
using vqw::UpdateWindow;
using vqw::ValidateRect;
