/* Asks an X window to close the way a window manager's close button does: a
 * WM_PROTOCOLS client message carrying WM_DELETE_WINDOW.
 * Usage: x_close_window WINDOW-ID   (decimal or 0x hex, as xdotool prints it) */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s WINDOW-ID\n", argv[0]);
    return 2;
  }
  char *end = NULL;
  unsigned long window = strtoul(argv[1], &end, 0);
  if (end == argv[1] || *end != '\0' || window == 0) {
    fprintf(stderr, "x_close_window: not a window id: %s\n", argv[1]);
    return 2;
  }
  Display *display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "x_close_window: cannot open the display\n");
    return 1;
  }
  XEvent event = {0};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  /* XSync reports a window that is already gone as an error (exit code 1). */
  XSync(display, False);
  XCloseDisplay(display);
  return 0;
}
