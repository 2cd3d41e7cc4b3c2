#!/usr/bin/env bash
# Measures the Linux saver (the optimised dist/linux/zorbel) under Xvfb and
# prints, for comparison with bench/saver_bench.sh (the Windows saver under
# Wine, same data):
#  1. start-up to the first picture on screen, from fork to the X server
#     showing it, with the sample data: median of 5 starts;
#  2. forced step (Return) to the strip on screen, with the data of the
#     Windows benchmark (one template of 20 strips, 250 x 339 panels):
#     median and 90th percentile of 200 steps after 20 warm-up steps, in a
#     1024 x 768 window and in a 3840 x 2160 one (the show doubled);
#  3. CPU time over 20 s with "-time-delay 5" (four items drawn) and with
#     a delay longer than that: the time between items alone;
#  4. resident memory (VmRSS) after those steps and with the sample data;
#  5. the forced step on one head and on two (its own window over both):
#     to the first head's strip and to a strip on each.
# bench/x11_step_time.c watches the window through the DAMAGE extension.
# ZORBEL_BENCH_NO_BUILD=1 uses the build as it is.
set -uo pipefail
# shellcheck source=bench_tree.sh
. "$(dirname "$0")/bench_tree.sh" quiet
saver=$B/release/src/x11/zorbel
[ -x "$saver" ] || { echo "no optimised Linux saver at $saver" >&2; exit 1; }
export ZORBEL_ROOT=$root
# shellcheck source=../scripts/wine-env.sh
. scripts/wine-env.sh

work=$(mktemp -d /tmp/zorbel-linux-bench.XXXXXX)
servers=()
pids=()
finish() {
  [ "$BASHPID" = "$$" ] || return 0 # not in command substitutions
  local p
  for p in "${pids[@]}" "${servers[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${pids[@]}" "${servers[@]}"; do wait "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap finish EXIT
export HOME=$work/home XDG_STATE_HOME=$work/home/state
mkdir -p "$HOME"

probe=$work/x11_step_time
cc -O2 -o "$probe" bench/x11_step_time.c -lXdamage -lX11 || { echo "cannot build the probe" >&2; exit 1; }
one=$work/one
python3 bench/saver_bench_data.py "$one" 1 >/dev/null || exit 1

screen() { # WxH
  zorbel_x_server 400 500 Xvfb -screen 0 "${1}x24" || { echo "no Xvfb $1" >&2; exit 1; }
  servers+=("$ZORBEL_X_PID")
  export DISPLAY=":$ZORBEL_X_DISPLAY"
}

# The probe's saver is no child of this shell: wait says 127 for it.
stop() {
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}

rss_kb() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$1/status"; }

strip_steps() { # WxH
  local out pid
  screen "$1"
  out=$("$probe" 200 20 -- "$saver" -geometry "$1" -directory "$one" -time-delay 0 -display-logo 0)
  pid=$(echo "$out" | sed -n 2p)
  echo "forced step to strip, $1: $(echo "$out" | head -n 1 | sed 's/first_ms [^ ]* //'), VmRSS $(rss_kb "$pid") kB"
  stop "$pid"
}

startup() {
  local i out pid
  local times=()
  screen 1024x768
  for i in 1 2 3 4 5; do
    out=$("$probe" 0 0 -- "$saver" -geometry 1024x768 -directory "$root/data/sample" -time-delay 0)
    times+=("$(echo "$out" | head -n 1 | awk '{ print $2 }')")
    pid=$(echo "$out" | sed -n 2p)
    stop "$pid"
  done
  echo "start-up to the first picture, sample data: median $(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p) ms of ${times[*]}"
}

# CPU time in nanoseconds (the scheduler's own count; utime and stime
# count in clock ticks of 10 ms, too coarse for a tenth of a per cent).
cpu_ns() { awk '{ print $1 }' "/proc/$1/schedstat"; }

cpu_between() { # time delay
  local pid before after
  "$saver" -geometry 1024x768 -directory "$root/data/sample" -time-delay "$1" &
  pid=$!
  pids+=("$pid")
  sleep 2
  before=$(cpu_ns "$pid")
  sleep 20
  after=$(cpu_ns "$pid")
  echo "CPU, -time-delay $1: $(awk -v t=$((after - before)) 'BEGIN { printf "%.3f", 100 * t / 1e9 / 20 }') % over 20 s, VmRSS $(rss_kb "$pid") kB"
  stop "$pid"
}

memory_sample() {
  local out pid
  out=$("$probe" 100 0 -- "$saver" -geometry 1024x768 -directory "$root/data/sample" -time-delay 0)
  pid=$(echo "$out" | sed -n 2p)
  echo "sample data, 100 forced steps: $(echo "$out" | head -n 1 | sed 's/first_ms [^ ]* //'), VmRSS $(rss_kb "$pid") kB"
  stop "$pid"
}

# Its own window over two 1024 x 768 heads (Xephyr with Xinerama inside an
# Xvfb) against one such head on the same road: Return to the first head's
# strip, and to a strip on both.
heads_steps() {
  local out pid heads first all
  for heads in 1 2; do
    zorbel_x_server 400 500 Xvfb -screen 0 4096x2048x24 || { echo "no Xvfb" >&2; exit 1; }
    servers+=("$ZORBEL_X_PID")
    local screens=(-screen 1024x768+0+0)
    [ "$heads" = 2 ] && screens+=(-screen 1024x768+1024+0)
    DISPLAY=":$ZORBEL_X_DISPLAY" zorbel_x_server 400 500 Xephyr -retro "${screens[@]}" +xinerama ||
      { echo "no Xephyr" >&2; exit 1; }
    servers+=("$ZORBEL_X_PID")
    export DISPLAY=":$ZORBEL_X_DISPLAY"
    local split=()
    [ "$heads" = 2 ] && split=(1024)
    out=$("$probe" 200 20 "${split[@]}" -- "$saver" -geometry "$((1024 * heads))x768" -directory "$one" \
      -time-delay 0 -display-logo 0)
    pid=$(echo "$out" | sed -n 2p)
    stop "$pid"
    out=$(echo "$out" | head -n 1)
    echo "forced step to strip, $heads head(s) of 1024x768 (Xephyr): $(echo "$out" | sed 's/first_ms [^ ]* //')"
    first[heads]=$(echo "$out" | awk '{ print $6 }')
    all[heads]=$(echo "$out" | awk '{ a = $6; for (i = 1; i < NF; ++i) if ($i == "all_median_ms") a = $(i + 1); print a }')
  done
  awk -v f1="${first[1]}" -v f2="${first[2]}" -v a2="${all[2]}" 'BEGIN {
    printf "two heads over one: to the first head %.2fx, to both heads %.2fx (one head: %.2f ms)\n",
      f2 / f1, a2 / f1, f1 }'
}

echo "== the Linux saver ($saver) under Xvfb"
startup
memory_sample
cpu_between 5
cpu_between 60
strip_steps 1024x768
strip_steps 3840x2160
heads_steps
