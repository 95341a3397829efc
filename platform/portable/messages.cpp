// user32 messages and timers: the thread's queue and the order in which
// messages come out of it, as on Windows:
//   posted messages, then WM_QUIT, then input, then WM_PAINT for a window with
//   a non-empty update region, then WM_TIMER, only when nothing else waits.
// WM_PAINT and WM_TIMER are never stored: they are made when looked for, so a
// window has at most one paint and a timer at most one tick pending (late ticks
// merge; none are made up). Before each look, changed framebuffers are shown.
//
// A loop that would wait with no timer while no input can arrive (the backend
// says so) would wait for ever; it is ended instead, with WM_QUIT (exit code 0)
// and a note on stderr.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <vector>

#include "backend.h"
#include "layer.h"
#include "user_internal.h"

namespace vqp {
namespace {

struct Timer {
  HWND hwnd = nullptr; // nullptr: a thread timer
  UINT_PTR id = 0;
  UINT period = 0;
  uint64_t due = 0; // fires once the backend clock reaches this
  TIMERPROC proc = nullptr;
};

std::deque<MSG> posted;
std::deque<MSG> input;
bool quitPending = false;
int quitCode = 0;
std::vector<Timer> timers;
UINT_PTR nextThreadTimerId = 1;
// Timers are window-manager objects: Windows refuses new ones beyond the
// process's quota of them (10,000 by default), and so does the layer.
constexpr size_t kMaxTimers = 10000;
// The note about an endless wait was given and nothing has happened since.
bool toldEndlessWait = false;

const HWND kThreadOnly = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

bool Matches(HWND msgHwnd, UINT message, HWND filter, UINT first, UINT last) {
  if (filter == kThreadOnly ? msgHwnd != nullptr : filter != nullptr && msgHwnd != filter)
    return false;
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

MSG MakeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(BackendNowMs()), {}};
}

bool TakeFrom(std::deque<MSG> &queue, MSG *out, HWND filter, UINT first, UINT last, bool remove) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (Matches(it->hwnd, it->message, filter, first, last)) {
      *out = *it;
      if (remove)
        queue.erase(it);
      return true;
    }
  }
  return false;
}

// When a timer that ticks at `now` falls due next: on its own beat (its last
// due time plus whole periods), so a late tick does not delay the ones after
// it, and at the first beat after now, so missed beats are skipped, not made up.
uint64_t NextDue(const Timer &t, uint64_t now) {
  if (t.due + t.period > now)
    return t.due + t.period;
  return now + t.period - (now - t.due) % t.period;
}

// Finds the next message in Windows' order; see the top of this file.
bool Retrieve(MSG *out, HWND filter, UINT first, UINT last, bool remove) {
  if (TakeFrom(posted, out, filter, first, last, remove))
    return true;
  if (quitPending) {
    // WM_QUIT ignores the filters.
    *out = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
    if (remove)
      quitPending = false;
    return true;
  }
  if (TakeFrom(input, out, filter, first, last, remove))
    return true;
  for (HWND h : LiveWindows()) {
    Window *w = LookupWindow(h);
    if (w->visible && !w->update.Empty() && Matches(h, WM_PAINT, filter, first, last)) {
      *out = MakeMsg(h, WM_PAINT, 0, 0);
      return true;
    }
  }
  uint64_t now = BackendNowMs();
  Timer *ready = nullptr;
  for (Timer &t : timers)
    if (t.due <= now && Matches(t.hwnd, WM_TIMER, filter, first, last) &&
        (ready == nullptr || t.due < ready->due))
      ready = &t;
  if (ready == nullptr)
    return false;
  *out = MakeMsg(ready->hwnd, WM_TIMER, ready->id, reinterpret_cast<LPARAM>(ready->proc));
  if (remove)
    ready->due = NextDue(*ready, now);
  return true;
}

// When the next timer the caller would accept falls due; UINT64_MAX if none.
uint64_t NextDeadline(HWND filter, UINT first, UINT last) {
  uint64_t deadline = UINT64_MAX;
  for (const Timer &t : timers)
    if (Matches(t.hwnd, WM_TIMER, filter, first, last))
      deadline = std::min(deadline, t.due);
  return deadline;
}

// Something happened that may give a waiting loop something to wait for.
void NoteActivity() { toldEndlessWait = false; }

// Ends a wait that nothing could end: as if the program had quit with 0. A
// caller that keeps waiting with nothing else going on is not told again.
void EndEndlessWait() {
  if (!toldEndlessWait)
    std::fprintf(stderr, "portable layer: the message loop waits with no timer and no input "
                         "that could arrive; ending it with WM_QUIT\n");
  toldEndlessWait = true;
  quitPending = true;
  quitCode = 0;
}

// A window handle that is neither null nor a live window (the last error says so).
bool BadWindow(HWND hwnd) {
  if (hwnd == nullptr || LookupWindow(hwnd) != nullptr)
    return false;
  return Fail(ERROR_INVALID_WINDOW_HANDLE, true);
}

bool BadFilter(HWND filter) { return filter != kThreadOnly && BadWindow(filter); }

Timer *FindTimer(HWND hwnd, UINT_PTR id) {
  for (Timer &t : timers)
    if (t.hwnd == hwnd && t.id == id)
      return &t;
  return nullptr;
}

} // namespace

void PresentChanges() {
  for (HWND h : LiveWindows()) {
    Window *w = LookupWindow(h);
    if (w->visible && !w->surface.dirty.Empty()) {
      BackendPresent(h, w->surface);
      w->surface.dirty = {};
    }
  }
}

uint64_t NextTimerDue() { return NextDeadline(nullptr, 0, 0); }

void QueueInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  NoteActivity();
  input.push_back(MakeMsg(hwnd, message, wParam, lParam));
}

void ForgetWindowMessages(HWND hwnd) {
  auto ofWindow = [hwnd](const auto &m) { return m.hwnd == hwnd; };
  std::erase_if(posted, ofWindow);
  std::erase_if(input, ofWindow);
  std::erase_if(timers, ofWindow);
}

} // namespace vqp

namespace vqw {

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr)
    return vqp::Fail(ERROR_INVALID_PARAMETER, -1);
  if (vqp::BadFilter(hwnd))
    return -1;
  vqp::PresentChanges();
  // Input is read even while other messages wait, so that a busy stream of
  // ticks cannot starve clicks.
  vqp::BackendWaitForInput(0);
  while (!vqp::Retrieve(msg, hwnd, filterMin, filterMax, true)) {
    if (vqp::BadFilter(hwnd))
      return -1; // the window we wait for is gone
    const uint64_t deadline = vqp::NextDeadline(hwnd, filterMin, filterMax);
    if (deadline == UINT64_MAX && !vqp::BackendInputCanArrive())
      vqp::EndEndlessWait();
    else
      vqp::BackendWaitForInput(deadline);
  }
  if (msg->message != WM_QUIT)
    vqp::NoteActivity();
  return msg->message == WM_QUIT ? 0 : 1;
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (msg == nullptr)
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (vqp::BadFilter(hwnd))
    return FALSE;
  vqp::PresentChanges();
  vqp::BackendWaitForInput(0);
  return vqp::Retrieve(msg, hwnd, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0) ? TRUE
                                                                                      : FALSE;
}

BOOL TranslateMessage(const MSG *msg) {
  // Windows answers nonzero for every keystroke message, translated or not.
  // The layer makes no WM_CHAR from them: it knows no keyboard layout, and
  // what it runs reads keys, not characters.
  return msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP ||
                            msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP);
}

LRESULT DispatchMessageA(const MSG *msg) {
  if (msg == nullptr)
    return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    // A timer with a callback: Windows calls it instead of the window procedure.
    // Only the callback of a live timer of that window and identifier: a
    // WM_TIMER posted with any other lParam would have us jump to an arbitrary
    // address, so it is dropped.
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    const vqp::Timer *timer = vqp::FindTimer(msg->hwnd, msg->wParam);
    if (timer != nullptr && timer->proc == proc)
      proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(vqp::BackendNowMs()));
    return 0;
  }
  if (msg->hwnd == nullptr)
    return 0; // a thread message has no window procedure
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  if (vqp::LookupWindow(hwnd) == nullptr)
    return vqp::Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
  if (msg == WM_PAINT)
    ValidateRect(hwnd, nullptr);
  else if (msg == WM_CLOSE)
    DestroyWindow(hwnd);
  return 0;
}

void PostQuitMessage(int exitCode) {
  vqp::NoteActivity();
  vqp::quitPending = true;
  vqp::quitCode = exitCode;
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (vqp::BadWindow(hwnd))
    return FALSE;
  vqp::NoteActivity();
  vqp::posted.push_back(vqp::MakeMsg(hwnd, msg, wParam, lParam));
  return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  vqp::Window *w = vqp::LookupWindow(hwnd);
  return w ? w->proc(hwnd, msg, wParam, lParam) : vqp::Fail(ERROR_INVALID_WINDOW_HANDLE, 0);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  if (vqp::BadWindow(hwnd))
    return 0;
  // Windows' limits: shorter periods are raised to 10 ms, longer ones cut.
  UINT period = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  vqp::Timer *t = nullptr;
  if (hwnd != nullptr || id != 0)
    t = vqp::FindTimer(hwnd, id);
  if (t == nullptr) {
    if (vqp::timers.size() >= vqp::kMaxTimers)
      return vqp::Fail<UINT_PTR>(ERROR_NO_MORE_USER_HANDLES, 0);
    if (hwnd == nullptr) {
      // A thread timer gets an identifier of its own.
      while (vqp::FindTimer(nullptr, vqp::nextThreadTimerId) || vqp::nextThreadTimerId == 0)
        ++vqp::nextThreadTimerId;
      id = vqp::nextThreadTimerId++;
    }
    vqp::timers.push_back(vqp::Timer{hwnd, id, 0, 0, nullptr});
    t = &vqp::timers.back();
  }
  vqp::NoteActivity();
  t->period = period;
  t->proc = proc;
  t->due = vqp::BackendNowMs() + period;
  return id != 0 ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  if (vqp::BadWindow(hwnd))
    return FALSE;
  const vqp::Timer *t = vqp::FindTimer(hwnd, id);
  if (t == nullptr)
    return vqp::Fail(ERROR_INVALID_PARAMETER, FALSE);
  vqp::timers.erase(vqp::timers.begin() + (t - vqp::timers.data()));
  return TRUE;
}

} // namespace vqw
