#!/usr/bin/env bash
# The password rule of the real saver, run as Windows 98 with a stand-in
# password library of our own beside it that records each call and gives the
# answer it is told.
# Delay 0, answer 0: a key asks once and the saver keeps running, its cursor
# hidden; SC_CLOSE and SC_SCREENSAVE ask nothing; another program's
# WM_CLOSE, now that a close was requested, and a later key each ask again.
# Delay 0, answer 1: a key asks and the saver ends. Within the delay (also
# one of 4294968 s, whose milliseconds do not fit 32 bits) a key ends it
# without asking. As the NT family, it ends on a key without asking, even
# with a library named in the environment.
# The change-password mode calls the library with "SCRSAVE" and its owner
# and ends with 0; without the library, or without its entry, it ends with 0
# at once. That mode writes no error.log.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/saver_data.sh"
. "$(dirname "$0")/saver_checks.sh"
e2e_init

data=$(ztmp)
STUB_LOG=$E2E_TMP/stub.log
zwin_env ZORBEL_STUB_LOG "$STUB_LOG"
zsaver_password_road
zsaver_defaults
zset_data_dir "$data"

calls() { [ -f "$STUB_LOG" ] && tr -d '\r' <"$STUB_LOG" | wc -l || echo 0; }
calls_are() { [ "$(calls)" -eq "$1" ]; }

# Runs the saver with the library and answer; the pid goes to saver. The
# data folder is empty: the screen shows why, as text alone.
run_with() { # password delay, answer
  rm -f "$STUB_LOG"
  zreg_set_platform "Password Delay" REG_DWORD "$1"
  ZORBEL_STUB_ANSWER=$2 ZSTART_BLACK_OK=1 zstart /s
  saver=$ZPID
}

# --- Refused
run_with 0 0
sleep 1 # some time must have passed beyond a delay of 0
zkey a
zpoll 20 calls_are 1 || fail "a key after the delay did not ask for the password ($(calls) calls)"
[ "$(tr -d '\r' <"$STUB_LOG")" = "verify window" ] || fail "verify call: $(cat "$STUB_LOG")"
# Nothing marks an end or a call that should not come: time for it to come.
sleep 1
zsaver_window || fail "the saver ended on a refused password"
cursor=$(ztool saver_state cursor) || fail "the saver shows a cursor after a refused password: $cursor"
ztool saver_poke syscommand $((0xF060)) || fail "saver_poke SC_CLOSE: status $?"
ztool saver_poke syscommand $((0xF140)) || fail "saver_poke SC_SCREENSAVE: status $?"
sleep 1 # as above
calls_are 1 || fail "SC_CLOSE or SC_SCREENSAVE reached the close rule ($(calls) calls)"
zkey alt+F4
sleep 1 # as above
calls_are 1 || fail "Alt+F4 reached the close rule ($(calls) calls)"
ztool saver_poke close || fail "saver_poke close: status $?"
zpoll 20 calls_are 2 || fail "a WM_CLOSE after a refused password did not ask again ($(calls) calls)"
zkey b
zpoll 20 calls_are 3 || fail "a later key did not ask again ($(calls) calls)"
sleep 1 # as above
zsaver_window || fail "the saver ended on the second refused password"
calls_are 3 || fail "more calls than closes: $(calls)"
kill "$saver"
zwait "$saver" 20 >/dev/null

# --- Accepted
run_with 0 1
sleep 1 # beyond a delay of 0
zkey a
zwait "$saver" 20
rc=$?
[ "$rc" = 0 ] || fail "an accepted password did not end the saver (status $rc)"
calls_are 1 || fail "accepted: $(calls) calls"

# --- Within the delay
for delay in 600 4294968; do
  run_with "$delay" 0
  sleep 1 # beyond the 704 ms that 4294968 s come to in 32-bit milliseconds
  zkey a
  zwait "$saver" 20
  rc=$?
  [ "$rc" = 0 ] || fail "a key within a password delay of $delay s did not end the saver (status $rc)"
  calls_are 0 || fail "asked for the password within a delay of $delay s"
done

# --- The NT family: no library is loaded, whatever the environment names
zwine_app_set "" Version win10
ZORBEL_PASSWORD_CPL=$(zwinpath "$ZSAVER_DIR/PASSWORD.CPL") run_with 0 0
sleep 1 # beyond a delay of 0
zkey a
zwait "$saver" 20
rc=$?
[ "$rc" = 0 ] || fail "as the NT family, a key after the delay did not end the saver (status $rc)"
calls_are 0 || fail "asked for the password as the NT family"
zwine_app_set "" Version win98
rm -f "$data/error.log"

# --- Change-password mode
change_run() { # expected stub lines or "", MPR.DLL beside the saver (stub, entryless, none), arguments...
  local expected=$1 rc
  rm -f "$STUB_LOG" "$ZSAVER_DIR/MPR.DLL"
  case $2 in
    stub) cp "$ZORBEL_TOOLS_DIR/password_stub_dll.dll" "$ZSAVER_DIR/MPR.DLL" ;;
    entryless) cp "$ZORBEL_TOOLS_DIR/entryless_dll.dll" "$ZSAVER_DIR/MPR.DLL" ;;
  esac
  # None at all: Wine's own library is switched off as well.
  zwine_app_set DllOverrides mpr "$([ "$2" = none ] || echo native)"
  zstart "${@:3}"
  zwait "$ZPID" 20
  rc=$?
  [ "$rc" = 0 ] || fail "zorbel.scr ${*:3} with $2 ended with $rc"
  local got=""
  [ -f "$STUB_LOG" ] && got=$(tr -d '\r' <"$STUB_LOG")
  [ "$got" = "$expected" ] || fail "zorbel.scr ${*:3} with $2: library calls: '$got'"
}
change_run "change SCRSAVE null 0 0" stub /a
change_run "change SCRSAVE window 0 0" stub /a 42
ZORBEL_MPR_DLL=$(zwinpath "$ZORBEL_TOOLS_DIR/password_stub_dll.dll") change_run "" none /a
change_run "" entryless /a 42
[ -z "$(ls -A "$data")" ] || fail "the change-password mode wrote into the data folder: $(ls -A "$data")"
e2e_pass
