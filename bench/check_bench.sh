#!/usr/bin/env bash
# Times zorbel-check, the optimised Linux checker (dist/linux/zorbel-check),
# on the data of bench/saver_bench_data.py:
#  1. one template of 53 kB (the size the studio checks as the author
#     types; goal 20 ms), median of 9 runs;
#  2. one template of 2 MB (goal 0.5 s), median of 5 runs;
#  3. a folder of 1000 templates of 53 kB (goal 5 s), median of 3 runs;
# each as wall time with the CPU time (user + system) beside it, since a
# shared machine stretches the wall time; about 16 ms of each run is the
# process's start-up (the font library's). The same three inside one
# process, as the studio checks (bench/folder_check_bench.cpp, built in the
# bench tree of scripts/bench). Then, on the folder of 3:
#  4. the Linux saver's start-up to its first item on screen (under Xvfb,
#     through bench/x11_step_time.c, as bench/linux_bench.sh measures it);
#     bench/saver_bench.sh times the Windows saver's on the same folder.
# With ZORBEL_CHECK_BENCH_WINE=1 also the Windows checker of the 64-bit
# tree under Wine on the three, one run each.
# ZORBEL_BENCH_NO_BUILD=1 uses the build as it is.
set -uo pipefail
# shellcheck source=bench_tree.sh
. "$(dirname "$0")/bench_tree.sh" quiet
check=$B/release/zorbel-check
saver=$B/release/src/x11/zorbel
[ -x "$check" ] || { echo "no optimised checker at $check" >&2; exit 1; }
export ZORBEL_ROOT=$root
# shellcheck source=../scripts/wine-env.sh
. scripts/wine-env.sh

work=$(mktemp -d /tmp/zorbel-check-bench.XXXXXX)
server=
finish() {
  [ "$BASHPID" = "$$" ] || return 0
  [ -n "$server" ] && { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }
  rm -rf "$work"
}
trap finish EXIT

python3 bench/saver_bench_data.py "$work/one" 1 >/dev/null &&
  python3 bench/saver_bench_data.py "$work/two" 1 38 >/dev/null &&
  python3 bench/saver_bench_data.py "$work/many" 1000 >/dev/null || exit 1

# "wall_ms cpu_ms" of one run; the checker must find nothing.
run_once() { # program args...
  local start end said cpu
  local TIMEFORMAT='%U %S'
  start=$(date +%s%N)
  { cpu=$({ time "$@" >"$work/said" 2>&1; } 2>&1); } || true
  end=$(date +%s%N)
  said=$(tr -d '\r' <"$work/said")
  [ -z "$said" ] || { echo "the checker found something: $said" >&2; exit 1; }
  awk -v w=$(((end - start) / 1000)) -v c="$cpu" 'BEGIN { split(c, t, " "); printf "%.1f %.1f\n", w / 1000, 1000 * (t[1] + t[2]) }'
}

median_of() { # runs label program args...
  local runs=$1 label=$2 i
  shift 2
  for i in $(seq "$runs"); do run_once "$@"; done >"$work/runs"
  sort -n "$work/runs" | awk -v n="$runs" -v label="$label" '
    { wall[NR] = $1; cpu[NR] = $2 }
    END { m = int((n + 1) / 2); printf "%s: median %s ms wall (CPU %s ms) of %d runs\n", label, wall[m], cpu[m], n }'
}

echo "== zorbel-check ($check)"
median_of 9 "53 kB template" "$check" "$work/one"
median_of 5 "2 MB template" "$check" "$work/two"
median_of 3 "1000 templates of 53 kB" "$check" "$work/many"

echo "== inside one process (folder_check_bench)"
T=$B/bench
if [ ! -f "$T/build.ninja" ]; then
  cmake -S . -B "$T" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORBEL_SANITIZE=OFF \
    -DZORBEL_TESTS=OFF -DZORBEL_BENCH=ON -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
fi
if cmake --build "$T" --target folder_check_bench >/dev/null; then
  (cd "$work" && "$T/bench/folder_check_bench" one two many 2>/dev/null | grep '^checkFolder')
else
  echo "cannot build bench/folder_check_bench.cpp"
fi

echo "== the Linux saver on the same folder of 1000 templates"
probe=$work/x11_step_time
if [ ! -x "$saver" ]; then
  echo "no optimised Linux saver at $saver"
elif ! cc -O2 -o "$probe" bench/x11_step_time.c -lXdamage -lX11; then
  echo "cannot build the probe"
elif ! zorbel_x_server 400 500 Xvfb -screen 0 1024x768x24; then
  echo "no Xvfb"
else
  server=$ZORBEL_X_PID
  export DISPLAY=":$ZORBEL_X_DISPLAY" HOME=$work/home XDG_STATE_HOME=$work/home/state
  mkdir -p "$HOME"
  times=()
  for i in 1 2 3; do
    out=$("$probe" 0 0 -- "$saver" -geometry 1024x768 -directory "$work/many" -time-delay 0)
    times+=("$(head -n 1 <<<"$out" | awk '{ print $2 }')")
    pid=$(sed -n 2p <<<"$out")
    kill "$pid" 2>/dev/null
    while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  done
  echo "start-up to the first item: median $(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p) ms of ${times[*]}"
fi

if [ "${ZORBEL_CHECK_BENCH_WINE:-0}" = 1 ]; then
  exe=$B/x64/zorbel-check.exe
  echo "== the Windows checker under Wine ($exe), one run each after a warm-up"
  export ZORBEL_WINEPREFIX=${ZORBEL_WINEPREFIX:-$B/wineprefix-bench} ZORBEL_FRESH_PREFIX=0
  [ -n "$server" ] && export ZORBEL_USE_DISPLAY=1
  if zorbel_wine_start; then
    run_once "$ZORBEL_WINE" "$exe" "Z:$work/one" >/dev/null
    for data in one two many; do
      echo "$data: $(run_once "$ZORBEL_WINE" "$exe" "Z:$work/$data" | awk '{ print $1 " ms wall" }')"
    done
    zorbel_wine_stop
  else
    echo "no Wine"
  fi
fi
