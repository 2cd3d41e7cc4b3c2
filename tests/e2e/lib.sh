# Helpers for end-to-end tests of the real zorbel.scr under Wine and Xvfb.
# A test script sources this file, calls e2e_init, and ends with e2e_pass.
# Everything started through these helpers is stopped on exit.
#
#   zstart ARGS...         start the saver; its PID is left in ZPID; a
#                          full-screen run (/s) is waited for (see there)
#   zpoll SECONDS CMD...   runs CMD until it succeeds (scripts/wine-env.sh)
#   zwait PID [SECONDS]    exit code, or 124 when it does not end in time
#   zalive PID             true while it runs
#   zreg_set NAME TYPE DATA / zreg_query NAME / zreg_reset   (product key)
#   zreg_set_platform NAME TYPE DATA                           (platform key)
#   zset_data_dir UNIXDIR  "Directory" = that folder's Windows path
#   zkey KEY...            xdotool key names (Return, space, F1, a, ...)
#   zmove X Y / zmove_rel DX DY / zclick
#   zshot FILE.png         screenshot of the whole display
#   zpixel FILE X Y        "R G B" of one pixel of an image file
#   zwindow TITLE [SECS]   X window id of a window with that title
#   zlit                   true when the screen shows anything but black
#   zsaver_password_road   the saver as a copy beside the stand-in password
#                          library, run by Wine as Windows 98 (see there)
#   zwine_app_set SUBKEY NAME DATA   a Wine setting for that copy alone
#   fail MESSAGE           end the test as failed

set -u
E2E_ROOT=${ZORBEL_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ZORBEL_ROOT=$E2E_ROOT
export ZORBEL_ROOT
# shellcheck source=../../scripts/wine-env.sh
. "$E2E_ROOT/scripts/wine-env.sh"

ZORBEL_SCR=${ZORBEL_SCR:-$E2E_ROOT/build/x64/zorbel.scr}
ZORBEL_TOOLS_DIR=${ZORBEL_TOOLS_DIR:-$E2E_ROOT/build/x64/tests}
E2E_PIDS=()
E2E_OWN_WINE=0
E2E_TMP=""
E2E_NAME=$(basename "$0" .sh)
PRODUCT_KEY='HKCU\Software\Quenwick\Zorbel Screensaver'
PLATFORM_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Screen Savers'

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
  [ "$E2E_OWN_WINE" = 1 ] && zorbel_wine_stop
  return 0
}

e2e_init() {
  trap e2e_cleanup EXIT
  export WINEDEBUG=-all
  if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    # Run alone (not from scripts/test): set up a prefix and display of our own.
    ZORBEL_FRESH_PREFIX=0 ZORBEL_WINEPREFIX=${ZORBEL_WINEPREFIX:-$E2E_ROOT/build/wineprefix-e2e} \
      zorbel_wine_start || { echo "FAIL $E2E_NAME: cannot start Wine" >&2; exit 1; }
    E2E_OWN_WINE=1
  fi
  ZORBEL_WINE=${ZORBEL_WINE:-$(zorbel_wine_bin)}
  [ -f "$ZORBEL_SCR" ] || { echo "FAIL $E2E_NAME: no saver at $ZORBEL_SCR" >&2; exit 1; }
  E2E_TMP=$(mktemp -d /tmp/zorbel-e2e.XXXXXX)
}

fail() {
  echo "FAIL $E2E_NAME: $*" >&2
  exit 1
}

e2e_pass() {
  echo "PASS $E2E_NAME"
  exit 0
}

# A fresh folder for the test's files.
ztmp() { mktemp -d "$E2E_TMP/d.XXXXXX"; }

zwin() { "$ZORBEL_WINE" "$@"; }

zwinpath() { "$ZORBEL_WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# The one way the tests start the saver. For this call alone the program
# (ZORBEL_SCR), its loader (ZORBEL_WINE), the prefix (WINEPREFIX) and the
# folder it starts in (ZSTART_IN) may be given. A full-screen run (/s)
# returns once its window has the keyboard and its first item is on the
# screen; ZSTART_BLACK_OK=1 when a black screen will do (no comics.ini, or
# bad files whose first item may show nothing).
zstart() {
  (cd "${ZSTART_IN:-.}" && exec "$ZORBEL_WINE" "$ZORBEL_SCR" "$@") </dev/null >/dev/null 2>&1 &
  ZPID=$!
  E2E_PIDS+=("$ZPID")
  [ "${1:-}" = /s ] || return 0
  local window
  window=$(zwindow SaverWindow 60) || fail "zorbel.scr $*: no saver window"
  zpoll 30 zkeys_reach "$window" || fail "zorbel.scr $*: keys do not reach its window"
  [ "${ZSTART_BLACK_OK:-0}" = 1 ] || zpoll 30 zlit ||
    fail "zorbel.scr $*: its first item did not come on the screen"
}

# Starts a helper program from the tools folder; PID in ZPID.
ztool_start() {
  local tool=$1
  shift
  "$ZORBEL_WINE" "$ZORBEL_TOOLS_DIR/$tool.exe" "$@" </dev/null &
  ZPID=$!
  E2E_PIDS+=("$ZPID")
}

# Runs a helper program to its end; its output is printed without CRs.
ztool() {
  local tool=$1
  shift
  "$ZORBEL_WINE" "$ZORBEL_TOOLS_DIR/$tool.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

zalive() { kill -0 "$1" 2>/dev/null; }

zended() { ! zalive "$1"; }

zwait() {
  zpoll "${2:-20}" zended "$1" || return 124
  wait "$1"
}

zreg_set() {
  "$ZORBEL_WINE" reg add "$PRODUCT_KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1 ||
    fail "reg add $1"
}

zreg_set_platform() {
  "$ZORBEL_WINE" reg add "$PLATFORM_KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1 ||
    fail "reg add $1"
}

# Prints the data of one product value (DWORDs as 0x...), or nothing.
zreg_query() {
  "$ZORBEL_WINE" reg query "$PRODUCT_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '{ line = $0; sub(/^ +/, "", line) }
      index(line, name) == 1 { rest = substr(line, length(name) + 1); sub(/^ +REG_[A-Z_]+ +/, "", rest); print rest }'
}

zreg_reset() {
  "$ZORBEL_WINE" reg delete "$PRODUCT_KEY" /f >/dev/null 2>&1 || true
  "$ZORBEL_WINE" reg delete "$PLATFORM_KEY" /v "Mouse Threshold" /f >/dev/null 2>&1 || true
  "$ZORBEL_WINE" reg delete "$PLATFORM_KEY" /v "Password Delay" /f >/dev/null 2>&1 || true
}

zset_data_dir() { zreg_set Directory REG_SZ "$(zwinpath "$1")"; }

zkey() { xdotool key --clearmodifiers "$@"; }
zmove() { xdotool mousemove "$1" "$2"; }
zmove_rel() { xdotool mousemove_relative -- "$1" "$2"; }
zclick() { xdotool click 1; }

zshot() { import -window root "$1" 2>/dev/null || fail "screenshot $1"; }

zpixel() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info: 2>/dev/null
}

zwindow() { zpoll "${2:-15}" zwindow_now "$1"; }

zwindow_now() { # title
  local id
  id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$id" ] && echo "$id"
}

# Without a window manager the keyboard follows the pointer: keys reach the
# X window under it.
zkeys_reach() { # X window id
  [ "$(xdotool getmouselocation --shell 2>/dev/null | sed -n 's/^WINDOW=//p')" = "$1" ]
}

# True when the screen shows anything but black.
zlit() {
  local top
  top=$(import -window root miff:- 2>/dev/null | convert - -format '%[max]' info: 2>/dev/null)
  [ -n "$top" ] && [ "$top" != 0 ]
}

# The saver's own password road, reached as users reach it: a copy of the
# saver in a fresh folder (ZSAVER_DIR), with the stand-in password library
# beside it as PASSWORD.CPL and MPR.DLL, where the normal library search
# finds them. Wine runs the copy as Windows 98, so that it does not take the
# NT family's road, which asks no password, and loads the MPR.DLL beside it
# rather than its own. ZORBEL_SCR names the copy from then on; the copy's
# name is its own, so that these settings reach no other program.
ZSAVER_COPY=zorbel98.scr
zsaver_password_road() {
  local stub=$ZORBEL_TOOLS_DIR/password_stub_dll.dll
  [ -f "$stub" ] || fail "no password_stub_dll.dll"
  ZSAVER_DIR=$(ztmp)
  cp "$ZORBEL_SCR" "$ZSAVER_DIR/$ZSAVER_COPY" && cp "$stub" "$ZSAVER_DIR/PASSWORD.CPL" &&
    cp "$stub" "$ZSAVER_DIR/MPR.DLL" || fail "cannot copy the saver beside the stand-in library"
  ZORBEL_SCR=$ZSAVER_DIR/$ZSAVER_COPY
  zwine_app_set "" Version win98
  zwine_app_set DllOverrides mpr native
}

# Under HKCU\Software\Wine\AppDefaults\<the copy's name>; an empty SUBKEY
# means that key itself.
zwine_app_set() {
  local key="HKCU\\Software\\Wine\\AppDefaults\\$ZSAVER_COPY${1:+\\$1}"
  "$ZORBEL_WINE" reg add "$key" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1 ||
    fail "reg add $key /v $2"
}
