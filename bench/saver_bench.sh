#!/usr/bin/env bash
# Measures the real full-screen saver under wine64 and Xvfb, and prints:
#  1. forced step to strip on screen: Enter sent to the "SaverWindow" until
#     its answer (the strip is generated, composed off screen and drawn
#     inside the step), median over 200 steps after 20 warm-up steps, with
#     one template of 20 strips and 30 categories of 50 entries and three
#     250 x 339 panels; "idle" adds one message round trip, by which the
#     window is back in its loop and the drawing has gone to the display.
#     A pixel poll from outside Wine checks it: bench/screen_change.c reads
#     two screen columns (which every 770-pixel strip on the 1024 x 768
#     screen crosses) from the X server until they show the new strip.
#     The same again on a 3840 x 2160 Xvfb, where the show is doubled, and
#     on two heads side by side (Xephyr with Xinerama), each with the pixel
#     poll on columns that the strip crosses there.
#     The sample data's mix of items is measured by the answer alone.
#  2. start-up to the first item: from CreateProcess of "zorbel.scr /s" to
#     the window's first answer (its loop starts after the first item),
#     median of 5 starts, with comics.ini listing 1000 template files and,
#     for comparison, one.
#  3. CPU time of the saver's process while it waits between items
#     ("Time Delay" 5 s; utime + stime from /proc over 20 s), also with a
#     delay longer than the window, so that no item changes in it.
# Builds what it needs first (ZORBEL_BUILD_ROOT as for scripts/build; set
# ZORBEL_BENCH_NO_BUILD=1 to use the trees as they are).
set -uo pipefail
# shellcheck disable=SC2034 # read by lib.sh
E2E_NAME=saver_bench
# shellcheck source=wine_bench.sh
. "$(dirname "$0")/wine_bench.sh"

results=()
note() {
  results+=("$*")
  echo "$*"
}

bench_settings() { # time delay
  zsaver_defaults
  zreg_set "Time Delay" REG_DWORD "$1"
  zreg_set_platform "Mouse Threshold" REG_DWORD 100000
  zreg_set_platform "Password Delay" REG_DWORD 100000
}

check_log() { # folder
  local bad
  bad=$(tr -d '\r' <"$1/error.log" 2>/dev/null | grep -E "Strip Error|Error #|Unable" | head -3)
  [ -z "$bad" ] || fail "the saver reported faults, the figures would be of error displays: $bad"
}

# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# The wineserver of our prefix: it runs in the prefix's server folder.
wineserver_pid() {
  local dir pid
  dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for pid in $(pgrep -x 'wineserver(64)?'); do
    case $(readlink "/proc/$pid/cwd" 2>/dev/null) in */"$dir") echo "$pid" && return 0 ;; esac
  done
  return 1
}

one=$(ztmp)
python3 bench/saver_bench_data.py "$one" 1 || fail "no data"
many=$(ztmp)
python3 bench/saver_bench_data.py "$many" 1000 || fail "no data"
sample=$(ztmp)
cp data/sample/* "$sample/"

echo "== 1. forced step to strip on screen"
poller=$B/saver-bench/screen_change
mkdir -p "$(dirname "$poller")"
cc -O2 -o "$poller" bench/screen_change.c -lX11 2>/dev/null || poller=""
strip_steps() { # label, the two screen columns of the pixel poll
  local pid line pixels
  bench_settings 0
  zset_data_dir "$one"
  zstart /s
  pid=$ZPID
  line=$(ztool saver_bench steps 200 20) || fail "steps: $line"
  if [ -n "$poller" ]; then
    pixels=$("$poller" "$2" "$3" 200 20 -- "$ZORBEL_WINE" "$ZORBEL_TOOLS_DIR/saver_bench.exe" relay |
      tr -d '\r') || fail "pixel poll: $pixels"
  else
    pixels="pixel poll skipped: no C compiler or Xlib headers"
  fi
  end_saver "$pid"
  check_log "$one"
  note "step (strip, realistic template$1): $line"
  note "step (strip, same, X pixel poll$1): $pixels"
}
strip_steps "" 512 640
# The same on a large monitor, where the show is doubled (the strip's
# 2 x 770 columns start at an even column in 0 .. 2298: one of the two
# polled columns always lies in it, often both), and on two heads, the
# primary on the left.
zscreen_xvfb 3840x2160
strip_steps ", 3840 x 2160, k = 2" 1100 2298
zscreen_heads -screen 1024x768+0+0 -screen 800x600+1024+0
strip_steps ", two heads 1024 x 768 + 800 x 600" 512 640
zscreen_home

zreg_set "Use Pellow" REG_DWORD 1
zreg_set "Use Toasty" REG_DWORD 1
zreg_set "Per Toasty" REG_DWORD 4
zreg_set "Display Logo" REG_DWORD 1
zreg_set "Logo Frames" REG_DWORD 9
zset_data_dir "$sample"
zstart /s
pid=$ZPID
line=$(ztool saver_bench steps 200 20) || fail "steps: $line"
end_saver "$pid"
check_log "$sample"
note "step (sample data mix):        $line"

echo "== 2. start-up to the first item"
scr=$(zwinpath "$ZORBEL_SCR")
for folder in "$one" "$many"; do
  bench_settings 0
  zset_data_dir "$folder"
  count=$(grep -c '\.txt' "$folder/comics.ini")
  out=$(ztool saver_bench launch "$scr" 5) || fail "launch: $out"
  echo "$out"
  check_log "$folder"
  note "start-up, $count template file(s): $(tail -n 1 <<<"$out")"
done

echo "== 3. CPU while waiting between items"
server=$(wineserver_pid || true)
for delay in 5 100; do
  bench_settings "$delay"
  zset_data_dir "$one"
  zstart /s
  pid=$ZPID
  zwindow SaverWindow 30 >/dev/null || fail "no saver window"
  sleep 3 # past the start and the first item
  c0=$(cpu_ticks "$pid")
  s0=$([ -n "$server" ] && cpu_ticks "$server" || echo 0)
  t0=$(date +%s.%N)
  sleep 20
  c1=$(cpu_ticks "$pid")
  s1=$([ -n "$server" ] && cpu_ticks "$server" || echo 0)
  t1=$(date +%s.%N)
  end_saver "$pid"
  check_log "$one"
  note "$(awk -v d="$delay" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v k="$clk" -v t0="$t0" -v t1="$t1" 'BEGIN {
    w = t1 - t0
    printf "waiting, Time Delay %s s, %.1f s: saver %d ms CPU (%.2f%%), wineserver %d ms (%.2f%%)",
      d, w, 1000 * c / k, 100 * c / k / w, 1000 * s / k, 100 * s / k / w }')"
done

echo
echo "== saver figures (wine64, Xvfb $(xdpyinfo 2>/dev/null | awk '/dimensions/ { print $2 }'), $(nproc) cores)"
printf '%s\n' "${results[@]}"
e2e_pass
