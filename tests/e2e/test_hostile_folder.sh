#!/usr/bin/env bash
# A data folder full of bad files: broken, cut-off and lying pictures, a
# folder named like a picture, templates with category cycles, binary junk
# and a 50 MB line, sounds that are not sounds; in a second run comics.ini
# itself is binary junk. After 500 forced steps the saver still runs and
# answers, a key ends it within a second, error.log names the bad files,
# and nothing was written outside the data folder.
. "$(dirname "$0")/lib.sh"
e2e_init
zreg_reset
zreg_set "Time Delay" REG_DWORD 0 # no timer: only the forced steps run
zreg_set "Use Sound" REG_DWORD 1
zreg_set "Per Toasty" REG_DWORD 4
zreg_set "Logo Frames" REG_DWORD 5
zreg_set "Per Random" REG_DWORD 6
zreg_set_platform "Password Delay" REG_DWORD 100000
zreg_set_platform "Mouse Threshold" REG_DWORD 100000
STEPS=${ZORBEL_HOSTILE_STEPS:-500}

# Everything the run may write to, apart from the data folder.
outside_dirs=("$WINEPREFIX/drive_c" "$(dirname "$ZORBEL_SCR")" "$E2E_TMP")

# The driver has made its steps and waits for a key, or has ended.
driver_waits() { # driver output, driver PID
  grep -q "waiting for a key" "$1" || ! zalive "$2"
}

hostile_run() { # label, garbage|""
  local label=$1 dir out rc
  dir=$(ztmp)
  python3 "$E2E_ROOT/tests/e2e/hostile_folder.py" "$dir" ${2:+"$2"} || fail "$label: cannot build the folder"
  zset_data_dir "$dir"
  local before=$E2E_TMP/$label.before
  (cd "$dir" && find . | sort) >"$before"
  local marker=$E2E_TMP/$label.marker
  touch "$marker"
  sleep 1 # file times have whole seconds on some file systems

  # The first item may be a bad file that shows nothing.
  ZSTART_BLACK_OK=1 zstart /s
  local pid=$ZPID
  # The driver presses Enter STEPS times, then waits for a real key and
  # times the saver's answer to it: the window hiding. (Wine without a
  # window manager then takes about 2 s more to let the X window go.)
  out=$E2E_TMP/$label.driver
  ztool_start saver_driver "$STEPS" 100 2 -1 >"$out"
  local driver=$ZPID
  zpoll 600 driver_waits "$out" "$driver"
  zalive "$pid" || fail "$label: the saver died: $(tail -n 1 "$out")"
  grep -q "waiting for a key" "$out" || fail "$label: driver: $(tail -n 1 "$out")"
  zkey a
  zwait "$driver" 20
  rc=$?
  tr -d '\r' <"$out" | sed "s/^/$label: /"
  [ "$rc" -eq 0 ] || fail "$label: driver ended with $rc"
  # A counter that reads nothing would pass any leak.
  tr -d '\r' <"$out" | awk '$1 == "step" { n++; if ($4 <= 0) bad = 1 } END { exit !n || bad }' ||
    fail "$label: the GDI counter does not count"
  local hidden
  hidden=$(tr -d '\r' <"$out" | sed -n 's/^hidden \([0-9]*\) ms.*/\1/p')
  [ -n "$hidden" ] && [ "$hidden" -le 1000 ] || fail "$label: a key took $hidden ms to end the saver"
  zwait "$pid" 10
  rc=$?
  [ "$rc" -eq 0 ] || fail "$label: saver exit code $rc"

  # Only error.log is new in the data folder, and nothing changed elsewhere.
  local after=$E2E_TMP/$label.after
  (cd "$dir" && find . | sort) >"$after"
  local added
  added=$(comm -13 "$before" "$after")
  [ "$added" = "./error.log" ] || fail "$label: new in the data folder: $added"
  local stray
  stray=$(find "${outside_dirs[@]}" -newer "$marker" -type f 2>/dev/null |
    grep -v -e "^$dir/" -e "$E2E_TMP/$label\." -e '/drive_c/windows/' || true)
  [ -z "$stray" ] || fail "$label: written outside the data folder: $stray"
  LOG=$dir/error.log
}

expect_log() { # label, text
  grep -aqF -- "$2" "$LOG" || fail "$1: error.log lacks: $2"
}

hostile_run bad-files
tr -d '\r' <"$LOG" | sort | uniq -c | sort -rn | sed 's/^/log: /' | head -30
# The system's own words for the files that are certainly shown, the
# same for both savers.
while IFS= read -r words; do expect_log bad-files "$words"; done <"$E2E_ROOT/tests/e2e/hostile_words.txt"

hostile_run garbage-ini garbage
# Junk is no catalogue line: the reading stops at the first one.
expect_log garbage-ini "not recognized"

e2e_pass
