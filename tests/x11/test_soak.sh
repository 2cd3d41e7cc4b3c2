#!/usr/bin/env bash
# The show for many forced steps (Return, no timer) under AddressSanitizer,
# in rounds; after each round, with the saver at rest, its memory is read.
# After the warm-up rounds the resident anonymous memory may grow only a
# little, and the run ends with no sanitizer report (leaks included). Two
# runs: the sample data, then the folder of bad files.
#   ZORBEL_SOAK_STEPS (10000)  ZORBEL_SOAK_EVERY (1000)   sample data
#   ZORBEL_SOAK_HOSTILE_STEPS (2000)  ZORBEL_SOAK_HOSTILE_EVERY (500)
#   ZORBEL_SOAK_MAX_GROWTH_KB (2048)  growth allowed after the warm-up
#   ZORBEL_SOAK_HOSTILE_MAX_GROWTH_KB (8192)  for the bad files, whose
#                             broken pictures come and go in large blocks
. "$(dirname "$0")/lib.sh"
x11_init
# A small quarantine: freed blocks must not look like growth.
export ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=4:thread_local_quarantine_size_kb=64"

soak_run() { # label, folder, steps, every, growth bound kB
  local label=$1 dir=$2 steps=$3 every=$4 max_growth=$5 done_steps=0 base="" rss window pid rc
  xstart -- -directory "$dir" -time-delay 0 -use-sound 1 -per-toasty 4 -logo-frames 9
  pid=$XPID
  window=$(xsaver_window) || fail "$label: no window"
  xidle "$pid"
  printf '%-10s %6s %10s\n' "$label" step "RssAnon kB"
  while [ "$done_steps" -lt "$steps" ]; do
    xkeys "$window" Return "$every" "$pid"
    done_steps=$((done_steps + every))
    xalive "$pid" || fail "$label: the saver ended at step $done_steps: $(tail -20 "$XERR")"
    rss=$(xstatus_kb "$pid" RssAnon)
    printf '%-10s %6s %10s\n' "$label" "$done_steps" "$rss"
    # The first rounds fill the allocator's caches and the font's.
    if [ "$done_steps" -le $((every * 2)) ]; then
      base=$rss
    elif [ $((rss - base)) -gt "$max_growth" ]; then
      fail "$label: memory grew by $((rss - base)) kB after the warm-up"
    fi
  done
  xdotool key --window "$window" Escape
  xwait "$pid" 10
  rc=$?
  [ "$rc" -eq 0 ] || fail "$label: exit status $rc: $(tail -30 "$XERR")"
  xsanitizer_clean "$XERR" || fail "$label: sanitizer: $(cat "$XERR")"
}

soak_run sample "$X11_ROOT/data/sample" "${ZORBEL_SOAK_STEPS:-10000}" "${ZORBEL_SOAK_EVERY:-1000}" \
  "${ZORBEL_SOAK_MAX_GROWTH_KB:-2048}"
grep -v -e '^-----------Quenwick Log File' -e '\.wav' "$XDG_STATE_HOME/zorbel/error.log" | tr -d '\r' |
  grep . && fail "the sample data logged errors"
hostile=$X11_TMP/hostile
mkdir -p "$hostile"
python3 "$X11_ROOT/tests/e2e/hostile_folder.py" "$hostile" || fail "cannot build the bad folder"
soak_run hostile "$hostile" "${ZORBEL_SOAK_HOSTILE_STEPS:-2000}" "${ZORBEL_SOAK_HOSTILE_EVERY:-500}" \
  "${ZORBEL_SOAK_HOSTILE_MAX_GROWTH_KB:-8192}"
x11_pass
