/* Times forced steps of the saver to the moment the X server shows the new
 * picture: a pixel poll of one screen column, from outside Wine.
 *
 *   screen_change COLUMN COLUMN2 STEPS WARMUP -- COMMAND...
 *
 * COMMAND (saver_bench.exe relay under Wine) reads one line per step from
 * our pipe, presses Enter in the saver and writes one line once the step is
 * answered. Before each step two columns are read; the step counts as on
 * screen when they differ from that reading and are not all black (the
 * screen is blacked out before the strip is drawn across them; two, as a
 * column may fall in the black gap between two panels).
 * Prints "pixels steps N median_ms M p90_ms P max_ms X missed K".
 * Built by bench/saver_bench.sh with the C compiler and Xlib. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "probe_clock.h"

/* Both columns as 0x00RRGGBB values, one after the other; 0 on failure. */
static int read_columns(Display* d, Window root, const int* x, int h, unsigned long* out) {
  for (int c = 0; c < 2; ++c) {
    XImage* image = XGetImage(d, root, x[c], 0, 1, (unsigned)h, AllPlanes, ZPixmap);
    if (image == NULL) return 0;
    for (int y = 0; y < h; ++y) out[c * h + y] = XGetPixel(image, 0, y) & 0xFFFFFF;
    XDestroyImage(image);
  }
  return 1;
}

int main(int argc, char** argv) {
  if (argc < 7 || strcmp(argv[5], "--") != 0) {
    fprintf(stderr, "usage: screen_change COLUMN COLUMN2 STEPS WARMUP -- COMMAND...\n");
    return 1;
  }
  int columns[2] = {atoi(argv[1]), atoi(argv[2])};
  int steps = atoi(argv[3]);
  int warmup = atoi(argv[4]);
  Display* d = XOpenDisplay(NULL);
  if (d == NULL) {
    fprintf(stderr, "no display\n");
    return 1;
  }
  Window root = DefaultRootWindow(d);
  int h = DisplayHeight(d, DefaultScreen(d));

  int to_child[2], from_child[2];
  if (pipe(to_child) != 0 || pipe(from_child) != 0) return 1;
  pid_t child = fork();
  if (child == 0) {
    dup2(to_child[0], 0);
    dup2(from_child[1], 1);
    close(to_child[1]);
    close(from_child[0]);
    execvp(argv[6], argv + 6);
    _exit(127);
  }
  close(to_child[0]);
  close(from_child[1]);
  FILE* out = fdopen(to_child[1], "w");
  FILE* in = fdopen(from_child[0], "r");

  unsigned long* before = calloc(2 * (size_t)h, sizeof *before);
  unsigned long* seen = calloc(2 * (size_t)h, sizeof *seen);
  double* times = calloc((size_t)steps, sizeof *times);
  int measured = 0, missed = 0;
  char line[256];
  struct timespec pause = {0, 100000};
  for (int i = 0; i < warmup + steps; ++i) {
    if (!read_columns(d, root, columns, h, before)) return 1;
    fputs("step\n", out);
    fflush(out);
    double start = now_ms();
    double shown = -1;
    while (now_ms() - start < 3000) {
      if (!read_columns(d, root, columns, h, seen)) return 1;
      int changed = 0, lit = 0;
      for (int y = 0; y < 2 * h; ++y) {
        if (seen[y] != before[y]) changed = 1;
        if (seen[y] != 0) lit = 1;
      }
      if (changed && lit) {
        shown = now_ms() - start;
        break;
      }
      nanosleep(&pause, NULL);
    }
    if (fgets(line, sizeof line, in) == NULL || strncmp(line, "answered", 8) != 0) {
      fprintf(stderr, "the relay stopped at step %d: %s\n", i, line);
      return 1;
    }
    if (i < warmup) continue;
    if (shown < 0) {
      ++missed;
    } else {
      times[measured++] = shown;
    }
  }
  fclose(out);
  fclose(in);
  waitpid(child, NULL, 0);
  if (measured == 0) {
    printf("pixels steps 0 missed %d\n", missed);
    return 1;
  }
  qsort(times, (size_t)measured, sizeof *times, compare);
  printf("pixels steps %d median_ms %.2f p90_ms %.2f max_ms %.2f missed %d\n", measured,
         times[measured / 2], times[(measured * 9) / 10 < measured ? (measured * 9) / 10 : 0],
         times[measured - 1], missed);
  XCloseDisplay(d);
  return 0;
}
