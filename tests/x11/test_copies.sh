#!/usr/bin/env bash
# Copies as xscreensaver runs them, one per screen in the same second:
# each shows items of its own (no ZORBEL_SEED), and the one log keeps every
# line of both, whole. A data folder that does not exist puts the reason
# on the screen, on stderr and in the log, and SIGTERM ends that copy by
# the signal within a second.
. "$(dirname "$0")/lib.sh"
x11_init
xserver Xvfb -screen 0 1024x768x24 -screen 1 1024x768x24
LOG=$XDG_STATE_HOME/zorbel/error.log
SCREENS=("$DISPLAY.0" "$DISPLAY.1")

shot() { # screen, file
  DISPLAY=$1 import -window root "$2" 2>/dev/null || fail "screenshot of $1"
}

# Started together, each on the root window of its screen.
for s in 0 1; do
  xstart DISPLAY="${SCREENS[$s]}" -- -root -directory "$X11_ROOT/data/sample" -time-delay 0 \
    -display-logo 0
  pids[s]=$XPID
done
for s in 0 1; do
  for _ in $(seq 1 50); do
    shot "${SCREENS[$s]}" "$X11_TMP/screen$s.png"
    xdrawn "$X11_TMP/screen$s.png" 0 0 1024 768 && break
    sleep 0.2
  done
done
sleep 0.5
shot "${SCREENS[0]}" "$X11_TMP/screen0.png"
shot "${SCREENS[1]}" "$X11_TMP/screen1.png"
differ=$(compare -metric AE "$X11_TMP/screen0.png" "$X11_TMP/screen1.png" null: 2>&1)
[ "$differ" != 0 ] || fail "both copies show the same item"
for s in 0 1; do kill -TERM "${pids[s]}"; done

# Each copy steps through missing comics of its folder, both at once.
for s in 0 1; do
  mkdir -p "$X11_TMP/data$s"
  zdata_basic "$X11_TMP/data$s"
  printf 'zb\nofficial\nmissing%s.pcx\n' "$s" >"$X11_TMP/data$s/comics.ini"
done
STEPS=150
for s in 0 1; do
  xstart DISPLAY="${SCREENS[$s]}" -- -directory "$X11_TMP/data$s" -time-delay 0
  pids[s]=$XPID
  # By the process it names (_NET_WM_PID): both windows are called Zorbel.
  for _ in $(seq 1 50); do
    windows[s]=$(DISPLAY=${SCREENS[$s]} xdotool search --all --pid "$XPID" --name '^Zorbel$' 2>/dev/null)
    [ -n "${windows[s]}" ] && break
    sleep 0.1
  done
  [ -n "${windows[s]}" ] || fail "no window of copy $s"
done
DISPLAY=${SCREENS[0]} xdotool key --window "${windows[0]}" --delay 0 --repeat "$STEPS" \
  --repeat-delay 0 Return 2>/dev/null &
keys=$!
DISPLAY=${SCREENS[1]} xkeys "${windows[1]}" Return "$STEPS" "${pids[1]}"
wait "$keys"
xidle "${pids[0]}"
for s in 0 1; do
  DISPLAY=${SCREENS[$s]} xdotool key --window "${windows[s]}" Escape 2>/dev/null
  xwait "${pids[s]}" 5 || fail "copy $s: exit status $?: $(tail -5 "$X11_TMP/stderr.$((s + 3))")"
done
tr -d '\r' <"$LOG" >"$X11_TMP/log"
# Each step logs the file and the picture: a lost line shows as a pair
# short of a line.
for s in 0 1; do
  opened=$(grep -c "^$X11_TMP/data$s/missing$s.pcx: Unable to open file$" "$X11_TMP/log")
  loaded=$(grep -c "^missing$s.pcx: Unable to load$" "$X11_TMP/log")
  [ "$opened" = "$loaded" ] && [ "$opened" -gt $((STEPS / 2)) ] ||
    fail "copy $s logged $opened and $loaded lines for $((STEPS + 1)) steps"
done
# Every line whole: a header, or a line of one copy's folder.
bad=$(grep -cvE "^(-----------Quenwick Log File----------|($X11_TMP/data[01]/)?missing[01]\.pcx: Unable to (open file|load))$" \
  "$X11_TMP/log")
[ "$bad" = 0 ] || fail "$bad lines are spliced: $(grep -vE "Quenwick|/data[01]/" "$X11_TMP/log" | head -3)"
[ "$(grep -c Quenwick "$X11_TMP/log")" = 4 ] || fail "not one header per run"

# A folder that is not there.
xstart -- -root -directory /no/such/folder
pid=$XPID
xwait_drawn "$X11_TMP/missing.png" 0 0 1024 60 10 || fail "a missing folder leaves the screen black"
grep -q '^zorbel: /no/such/folder: Unable to find the data folder$' "$XERR" ||
  fail "stderr: $(cat "$XERR")"
grep -aq '^/no/such/folder: Unable to find the data folder' "$LOG" || fail "error.log: $(tail -3 "$LOG")"
kill -TERM "$pid"
xwait "$pid" 1
rc=$?
[ "$rc" = $((128 + 15)) ] || fail "SIGTERM: status $rc, not the signal's within a second"
xsanitizer_clean "$XERR" || fail "sanitizer: $(cat "$XERR")"
x11_pass
