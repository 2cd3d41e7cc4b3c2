#!/usr/bin/env bash
# Held Enter and lost activation under the real saver. Each step of a
# template whose category is missing logs one "Error #3" line, so the lines
# count the steps.
# Enter held down (a first press and five repeats with the previous-state
# bit set, sent as the platform sends them): six steps, none from the
# release; Return held on the X keyboard for 2 s: at least five steps, and
# no more once it is let go; the saver runs on.
# Another program that takes the activation ends the saver: within the
# password delay at once, without asking; after it, through the password
# rule, so a refused password keeps the saver running.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/saver_data.sh"
. "$(dirname "$0")/saver_checks.sh"
e2e_init

[ -f "$ZORBEL_TOOLS_DIR/focus_taker_gui.exe" ] || fail "no focus_taker_gui.exe"
data=$(ztmp)
zdata_basic "$data"
zstrip_template "$data/nocat.txt" nowhere p3.pcx
printf 'random\r\nnocat.txt\r\n' >"$data/comics.ini"
STUB_LOG=$E2E_TMP/stub.log
zwin_env ZORBEL_STUB_LOG "$STUB_LOG"
zsaver_password_road
zsaver_defaults
zset_data_dir "$data"

# shellcheck disable=SC2002 # prints 0 also while there is no log yet
steps() { cat "$data/error.log" 2>/dev/null | grep -c '^Error #3: '; }
steps_are() { [ "$(steps)" -eq "$1" ]; }
steady() {
  local before
  before=$(steps)
  sleep 0.5 # steady: no step for this long
  [ "$(steps)" -eq "$before" ]
}
calls() { [ -f "$STUB_LOG" ] && tr -d '\r' <"$STUB_LOG" | wc -l || echo 0; }
calls_at_least() { [ "$(calls)" -ge "$1" ]; }

# Runs the saver with a password delay; the stub library answers "no".
run_with_delay() { # password delay
  rm -f "$STUB_LOG" "$data/error.log"
  zreg_set_platform "Password Delay" REG_DWORD "$1"
  ZORBEL_STUB_ANSWER=0 zstart /s
  saver=$ZPID
  zpoll 20 steps_are 1 || fail "delay $1: the first step logged $(steps) errors"
}

take_activation() {
  ztool focus_taker_gui 1500
  local rc=$?
  [ "$rc" = 0 ] || fail "focus_taker_gui did not become the foreground window (status $rc)"
}

# --- Held Enter, then lost activation within the delay
run_with_delay 100000
ztool saver_poke hold 6 || fail "saver_poke hold: status $?"
zpoll 20 steps_are 7 || fail "Enter held for six presses made $(($(steps) - 1)) steps"
sleep 0.5 # nothing marks a step that should not come: time for it to come
steps_are 7 || fail "the release of Enter made a step ($(steps) errors)"
# A real key held down: the X server repeats it, Wine passes the repeats on.
xdotool keydown Return
sleep 2 # held this long
xdotool keyup Return
zpoll 20 steady || fail "the steps of a held Return do not stop after its release"
held=$(($(steps) - 7))
echo "Return held for 2 s made $held steps"
[ "$held" -ge 5 ] || fail "Return held for 2 s made only $held steps"
zsaver_window || fail "held Enter ended the saver"
take_activation
zwait "$saver" 20
rc=$?
[ "$rc" = 0 ] || fail "losing the activation within the delay did not end the saver (status $rc)"
calls_at_least 1 && fail "asked for the password within the delay"

# --- Lost activation after the delay: the password is asked and refused
run_with_delay 0
sleep 1 # beyond a delay of 0
take_activation
zpoll 20 calls_at_least 1 || fail "losing the activation did not ask for the password"
sleep 1 # time for a wrong end to come
zsaver_window || fail "the saver ended on a refused password after losing the activation"
bad=$(tr -d '\r' <"$STUB_LOG" | grep -vx 'verify window')
[ -z "$bad" ] || fail "unexpected library calls: $bad"
echo "password asked $(calls) times on one loss of activation"
steps_are 1 || fail "losing the activation stepped the show ($(steps) errors)"
kill "$saver"
zwait "$saver" 20 >/dev/null
e2e_pass
