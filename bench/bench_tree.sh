# Sourced by the benchmark scripts: works from the source root, with B the
# build root as an absolute path (ZORBEL_BUILD_ROOT as for scripts/build),
# built first unless ZORBEL_BENCH_NO_BUILD=1. "quiet" as the argument keeps
# the build's progress off the figures.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
B=${ZORBEL_BUILD_ROOT:-build}
case $B in /*) ;; *) B=$root/$B ;; esac
if [ "${ZORBEL_BENCH_NO_BUILD:-0}" != 1 ]; then
  if [ "${1:-}" = quiet ]; then
    ZORBEL_BUILD_ROOT=$B scripts/build >/dev/null || exit 1
  else
    ZORBEL_BUILD_ROOT=$B scripts/build || exit 1
  fi
fi
