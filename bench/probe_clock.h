/* The X probes' clock and sorting of the times they take. */
#ifndef ZORBEL_BENCH_PROBE_CLOCK_H
#define ZORBEL_BENCH_PROBE_CLOCK_H

#include <time.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec * 1000.0 + (double)t.tv_nsec / 1e6;
}

/* For qsort over doubles, smallest first. */
static int compare(const void* a, const void* b) {
  double x = *(const double*)a, y = *(const double*)b;
  return x < y ? -1 : x > y;
}

#endif
