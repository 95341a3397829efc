/* Presses a key in an X window, as a keyboard would (XTEST), and says how many
 * milliseconds pass until the window is WIDTH x HEIGHT and shows the opening
 * picture's red ring in it: the largest rectangle of 1002:583 in the middle of
 * the window, world x -2.1..2.1 and y -1.25..1.25 over it, the ring through
 * (1, 0), (-1, 0), (0, 1) and (0, -1) (three of the four are enough: the
 * turning point may cover one).
 * Usage: x_key_latency WINDOW-ID KEYSYM WIDTH HEIGHT
 * Prints the milliseconds; exit code 1 when the picture is not there within
 * 5 s, 2 for a bad command line. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double NowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* Whether the 7 x 7 box around (x, y) of the window holds pure red. */
static int RedNear(Display *display, Window window, int x, int y) {
  XImage *image = XGetImage(display, window, x - 3, y - 3, 7, 7, AllPlanes, ZPixmap);
  int red = 0;
  if (image == NULL)
    return 0;
  for (int j = 0; j < 7 && !red; ++j)
    for (int i = 0; i < 7 && !red; ++i)
      red = (XGetPixel(image, i, j) & 0xFFFFFF) == 0xFF0000;
  XDestroyImage(image);
  return red;
}

static int IgnoreErrors(Display *display, XErrorEvent *error) {
  (void)display;
  (void)error;
  return 0;
}

/* The ring in a window of width x height, laid out as the program does it. */
static int ShowsTheRing(Display *display, Window window, int width, int height) {
  double w = width, h = height;
  if (w * 583 >= h * 1002)
    w = (2.0 * height * 1002 + 583) / (2 * 583);
  else
    h = (2.0 * width * 583 + 1002) / (2 * 1002);
  const int fw = (int)w, fh = (int)h;
  const int left = (width - fw) / 2, top = (height - fh) / 2;
  const double xs[4] = {1, -1, 0, 0}, ys[4] = {0, 0, 1, -1};
  int found = 0;
  for (int k = 0; k < 4; ++k) {
    const int x = left + (int)((xs[k] + 2.1) / 4.2 * fw + 0.5);
    const int y = top + fh - (int)((ys[k] + 1.25) / 2.5 * fh + 0.5);
    found += RedNear(display, window, x, y);
  }
  return found >= 3;
}

int main(int argc, char **argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: %s WINDOW-ID KEYSYM WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  const Window window = strtoul(argv[1], NULL, 0);
  const int width = atoi(argv[3]), height = atoi(argv[4]);
  Display *display = XOpenDisplay(NULL);
  const KeySym key = XStringToKeysym(argv[2]);
  if (display == NULL || window == 0 || key == NoSymbol || width <= 0 || height <= 0) {
    fprintf(stderr, "x_key_latency: bad window, key or size, or no display\n");
    return 2;
  }
  /* A window being resized may answer XGetImage with an error for a moment. */
  XSetErrorHandler(IgnoreErrors);
  /* Without a window manager keys go where the pointer is. */
  XWarpPointer(display, None, window, 0, 0, 0, 0, 40, 60);
  XSync(display, False);
  const KeyCode code = XKeysymToKeycode(display, key);
  const double start = NowMs();
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
  while (NowMs() - start < 5000) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) && attributes.width == width &&
        attributes.height == height && ShowsTheRing(display, window, width, height)) {
      printf("%.0f\n", NowMs() - start);
      XCloseDisplay(display);
      return 0;
    }
    const struct timespec pause = {0, 500000};
    nanosleep(&pause, NULL);
  }
  fprintf(stderr, "x_key_latency: no %dx%d picture with its ring within 5 s\n", width, height);
  XCloseDisplay(display);
  return 1;
}
