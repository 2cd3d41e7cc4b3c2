#!/usr/bin/env bash
# The Windows saver on one monitor and on two, with a show on each
# (wine64, Xephyr with Xinerama inside an Xvfb, the same X road for both):
#  1. forced step: Enter answered (the primary monitor's item drawn; the
#     others follow a message each) and every monitor's item drawn, medians
#     over 200 steps after 20 warm-up steps, one template of 20 strips and
#     30 categories of 50 entries (bench/saver_bench_data.py).
#  2. start-up to the first item on every monitor: median of 5 starts, with
#     comics.ini listing 1000 template files (each weighed as it is read).
#  3. CPU of the saver's process while it waits between items ("Time
#     Delay" 5 s, 20 s, utime + stime from /proc).
# Then the ratios, two monitors over one. Builds first unless
# ZORBEL_BENCH_NO_BUILD=1 (ZORBEL_BUILD_ROOT as for scripts/build).
set -uo pipefail
# shellcheck disable=SC2034 # read by lib.sh
E2E_NAME=monitors_bench
# shellcheck source=wine_bench.sh
. "$(dirname "$0")/wine_bench.sh"

data=$(ztmp)
python3 bench/saver_bench_data.py "$data" 1 || fail "no data"
many=$(ztmp)
python3 bench/saver_bench_data.py "$many" 1000 || fail "no data"
scr=$(zwinpath "$ZORBEL_SCR")

settings() { # time delay [folder]
  zsaver_defaults
  zreg_set "Time Delay" REG_DWORD "$1"
  zreg_set_platform "Mouse Threshold" REG_DWORD 100000
  zreg_set_platform "Password Delay" REG_DWORD 100000
  zset_data_dir "${2:-$data}"
}
field() { awk -v k="$1" '{ for (i = 1; i < NF; ++i) if ($i == k) print $(i + 1) }'; }

declare -A step all start cpu
measure() { # label, Xephyr screens...
  local label=$1 pid line c0 c1
  shift
  zscreen_heads "$@"
  settings 0
  zstart /s
  pid=$ZPID
  line=$(ztool saver_bench steps 200 20) || fail "steps: $line"
  end_saver "$pid"
  step[$label]=$(field answer_median_ms <<<"$line")
  all[$label]=$(field all_median_ms <<<"$line")
  echo "$label: step $line"
  settings 0 "$many"
  line=$(ztool saver_bench launch "$scr" 5 | tail -n 1) || fail "launch: $line"
  start[$label]=$(field first_item_median_ms <<<"$line")
  echo "$label: start-up $line"
  settings 5
  zstart /s
  pid=$ZPID
  zwindow SaverWindow 30 >/dev/null || fail "no saver window"
  sleep 3
  c0=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  sleep 20
  c1=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  end_saver "$pid"
  cpu[$label]=$(awk -v c=$((c1 - c0)) -v k="$clk" 'BEGIN { printf "%.2f", 100 * c / k / 20 }')
  echo "$label: waiting, Time Delay 5 s, 20 s: ${cpu[$label]}% CPU"
  if tr -d '\r' <"$data/error.log" 2>/dev/null | grep -qE "Strip Error|Error #|Unable"; then
    fail "the saver reported faults: the figures would be of error displays"
  fi
}

measure one -screen 1024x768+0+0
measure two -screen 1024x768+0+0 -screen 1024x768+1024+0
zscreen_home

echo
echo "== monitors (wine64, Xephyr with Xinerama, $(nproc) cores)"
awk -v s1="${step[one]}" -v s2="${step[two]}" -v u1="${start[one]}" -v u2="${start[two]}" \
  -v c1="${cpu[one]}" -v c2="${cpu[two]}" -v a1="${all[one]}" -v a2="${all[two]}" 'BEGIN {
  printf "forced step, the key answered: one monitor %.2f ms, two %.2f ms: %.2fx\n", s1, s2, s2 / s1
  printf "forced step, every monitor drawn: one %.2f ms, two %.2f ms: %.2fx\n", a1, a2, a2 / a1
  printf "start-up to the first items: one %.1f ms, two %.1f ms: %.2fx\n", u1, u2, u2 / u1
  printf "CPU between items: one %s%%, two %s%%\n", c1, c2 }'
e2e_pass
