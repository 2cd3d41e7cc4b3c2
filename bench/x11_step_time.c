/* Times the Linux saver from outside, through the X server: start-up to the
 * first picture, and forced steps (Return) to the next picture on screen.
 *
 *   x11_step_time STEPS WARMUP [SPLIT_X] -- SAVER ARGS...
 *
 * Starts SAVER ARGS (a window of its own, named "Zorbel"), watches that
 * window with the DAMAGE extension, and counts a picture as on screen when
 * a damaged area holds a pixel that is not black (the screen is blacked out
 * first, then the item is put on it). Then sends STEPS + WARMUP Return key
 * presses, one after the other, each once the previous picture is up.
 * Prints "first_ms F steps N median_ms M p90_ms P max_ms X missed K" and
 * leaves the saver running with its PID on the second line, for the caller
 * to read its memory and end it. With SPLIT_X (two heads side by side, the
 * second from that column) a step is also timed until a picture is up on
 * both sides: "... all_median_ms A" ends the first line.
 * Built by bench/linux_bench.sh with the C compiler, Xlib and Xdamage. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include "probe_clock.h"

static Window find_named(Display* d, Window w, const char* name) {
  char* found = NULL;
  if (XFetchName(d, w, &found) && found != NULL) {
    int same = strcmp(found, name) == 0;
    XFree(found);
    if (same) return w;
  }
  Window root, parent, *children = NULL;
  unsigned count = 0;
  Window result = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && result == 0; ++i) result = find_named(d, children[i], name);
    if (children != NULL) XFree(children);
  }
  return result;
}

/* Whether the area holds anything but black. */
static int drawn(Display* d, Window w, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  XImage* image = XGetImage(d, w, x, y, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
  if (image == NULL) return 0;
  int any = 0;
  for (int j = 0; j < height && !any; j += 2) {
    for (int i = 0; i < width; i += 2) {
      if ((XGetPixel(image, i, j) & 0xFFFFFF) != 0) {
        any = 1;
        break;
      }
    }
  }
  XDestroyImage(image);
  return any;
}

/* Waits until a damaged area of w shows a picture; the time it came, or a
 * negative number after the limit. With split > 0 the areas left and right
 * of that column count apart: *first is when the first picture came, and
 * the time returned when both sides have had one. */
static double wait_pictures(Display* d, Window w, int damage_base, double limit_ms, int split,
                            double* first) {
  double start = now_ms();
  double side[2] = {-1.0, -1.0};
  *first = -1.0;
  while (now_ms() - start < limit_ms) {
    while (XPending(d) > 0) {
      XEvent event;
      XNextEvent(d, &event);
      if (event.type != damage_base + XDamageNotify) continue;
      XDamageNotifyEvent* e = (XDamageNotifyEvent*)&event;
      double when = now_ms();
      int x = e->area.x, right = e->area.x + e->area.width;
      for (int s = 0; s < (split > 0 ? 2 : 1); ++s) {
        int from = s == 0 ? x : (x > split ? x : split);
        int to = s == 0 && split > 0 ? (right < split ? right : split) : right;
        if (side[s] >= 0 || to <= from) continue;
        if (drawn(d, w, from, e->area.y, to - from, e->area.height)) {
          side[s] = when;
          if (*first < 0) *first = when;
        }
      }
      if (split <= 0 && *first >= 0) return *first;
      if (side[0] >= 0 && side[1] >= 0) return when;
    }
    struct timespec pause = {0, 200000};
    nanosleep(&pause, NULL);
  }
  return -1.0;
}

static double wait_picture(Display* d, Window w, int damage_base, double limit_ms) {
  double first = 0;
  return wait_pictures(d, w, damage_base, limit_ms, 0, &first);
}

int main(int argc, char** argv) {
  int split = 0;
  if (argc >= 6 && strcmp(argv[4], "--") == 0) {
    split = atoi(argv[3]);
    argv[3] = argv[2];
    argv[2] = argv[1];
    ++argv;
    --argc;
  }
  if (argc < 5 || strcmp(argv[3], "--") != 0) {
    fprintf(stderr, "usage: x11_step_time STEPS WARMUP [SPLIT_X] -- SAVER ARGS...\n");
    return 2;
  }
  int steps = atoi(argv[1]);
  int warmup = atoi(argv[2]);
  Display* d = XOpenDisplay(NULL);
  if (d == NULL) return 1;
  int damage_base = 0, error_base = 0;
  if (!XDamageQueryExtension(d, &damage_base, &error_base)) {
    fprintf(stderr, "no DAMAGE extension\n");
    return 1;
  }
  Window root = DefaultRootWindow(d);
  /* Windows made from now on are seen as they are created. */
  XSelectInput(d, root, SubstructureNotifyMask);
  XSync(d, False);
  double started = now_ms();
  pid_t pid = fork();
  if (pid == 0) {
    /* Our output is the caller's pipe; the saver must not hold it open. */
    int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) dup2(devnull, 1);
    execv(argv[4], argv + 4);
    _exit(127);
  }
  Window w = 0;
  while (w == 0 && now_ms() - started < 10000) {
    XEvent event;
    XNextEvent(d, &event);
    if (event.type == MapNotify) w = find_named(d, event.xmap.window, "Zorbel");
  }
  if (w == 0) {
    fprintf(stderr, "no saver window\n");
    return 1;
  }
  XDamageCreate(d, w, XDamageReportRawRectangles);
  XSync(d, False);
  /* The first item may already be up when the damage watch starts. */
  double first = drawn(d, w, 0, 0, DisplayWidth(d, 0), DisplayHeight(d, 0))
                     ? now_ms()
                     : wait_picture(d, w, damage_base, 10000);
  if (first < 0) {
    fprintf(stderr, "no first picture\n");
    return 1;
  }
  double* times = calloc((size_t)steps + 1, sizeof *times);
  double* alls = calloc((size_t)steps + 1, sizeof *alls);
  int measured = 0, missed = 0;
  KeyCode enter = XKeysymToKeycode(d, XK_Return);
  for (int i = 0; i < steps + warmup; ++i) {
    XSync(d, False);
    while (XPending(d) > 0) {
      XEvent stale;
      XNextEvent(d, &stale);
    }
    XKeyEvent key;
    memset(&key, 0, sizeof key);
    key.type = KeyPress;
    key.display = d;
    key.window = w;
    key.root = root;
    key.keycode = enter;
    key.same_screen = True;
    double sent = now_ms();
    XSendEvent(d, w, True, KeyPressMask, (XEvent*)&key);
    XFlush(d);
    double one = 0;
    double shown = wait_pictures(d, w, damage_base, 2000, split, &one);
    if (shown < 0) {
      ++missed;
      continue;
    }
    if (i >= warmup) {
      alls[measured] = shown - sent;
      times[measured++] = one - sent;
    }
  }
  qsort(times, (size_t)measured, sizeof *times, compare);
  qsort(alls, (size_t)measured, sizeof *alls, compare);
  printf("first_ms %.1f steps %d median_ms %.2f p90_ms %.2f max_ms %.2f missed %d",
         first - started, measured, measured ? times[measured / 2] : -1.0,
         measured ? times[(measured * 9) / 10] : -1.0, measured ? times[measured - 1] : -1.0,
         missed);
  if (split > 0) printf(" all_median_ms %.2f", measured ? alls[measured / 2] : -1.0);
  printf("\n");
  printf("%d\n", (int)pid);
  fflush(stdout);
  free(times);
  free(alls);
  XCloseDisplay(d);
  return 0;
}
