#!/usr/bin/env bash
# A data folder full of bad files (tests/e2e/hostile_folder.py, as for the
# Windows saver): after 500 forced steps under AddressSanitizer the saver
# still runs, Escape ends it at once with status 0 and no sanitizer report,
# the log names the bad files in the saver's own words, and nothing was
# written to the data folder. Then once more with comics.ini binary junk.
. "$(dirname "$0")/lib.sh"
x11_init
STEPS=${ZORBEL_HOSTILE_STEPS:-500}
LOG=$XDG_STATE_HOME/zorbel/error.log

hostile_run() { # label, garbage|""
  local label=$1 dir rc window
  dir=$X11_TMP/$label
  mkdir -p "$dir"
  python3 "$X11_ROOT/tests/e2e/hostile_folder.py" "$dir" ${2:+"$2"} || fail "$label: cannot build the folder"
  (cd "$dir" && find . -printf '%p %s %T@\n' | sort) >"$X11_TMP/$label.before"
  xstart -- -directory "$dir" -time-delay 0 -use-sound 1 -per-toasty 4 -logo-frames 5 -per-random 6
  local pid=$XPID
  window=$(xsaver_window) || fail "$label: no window"
  xkeys "$window" Return "$STEPS" "$pid"
  xalive "$pid" || fail "$label: the saver died: $(tail -20 "$XERR")"
  xdotool key --window "$window" Escape
  xwait "$pid" 5
  rc=$?
  [ "$rc" -eq 0 ] || fail "$label: exit status $rc: $(tail -30 "$XERR")"
  xsanitizer_clean "$XERR" || fail "$label: sanitizer: $(cat "$XERR")"
  (cd "$dir" && find . -printf '%p %s %T@\n' | sort) >"$X11_TMP/$label.after"
  cmp -s "$X11_TMP/$label.before" "$X11_TMP/$label.after" ||
    fail "$label: the data folder changed: $(diff "$X11_TMP/$label.before" "$X11_TMP/$label.after")"
}

expect_log() { # label, text
  grep -aqF -- "$2" "$LOG" || fail "$1: error.log lacks: $2"
}

hostile_run bad-files
tr -d '\r' <"$LOG" | sort | uniq -c | sort -rn | sed 's/^/log: /' | head -30
while IFS= read -r words; do expect_log bad-files "$words"; done <"$X11_ROOT/tests/e2e/hostile_words.txt"

hostile_run garbage-ini garbage
expect_log garbage-ini "not recognized"
x11_pass
