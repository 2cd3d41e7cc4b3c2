# shellcheck shell=bash
# Helpers for the Linux saver's tests under an X server of their own.
# A test sources this file, calls x11_init, and ends with x11_pass.
#
#   xstart [ENV=VAL...] -- ARGS...   start the saver; PID in XPID, its
#                              stderr in $X11_TMP/stderr.N
#   xwait PID [SECONDS]        exit status, or 124 when it does not end
#   xalive PID                 true while it runs
#   xshot FILE.png [WINDOW]    screenshot of the screen or of one window
#   xwait_drawn FILE X Y W H [SECONDS]   until that area shows more than black
#   xnew_window WxH            an X window of the test's own (xdotool-free)
#   fail MESSAGE
#
# The saver is ZORBEL_LINUX_SAVER (the native build, with the sanitizers);
# its log and screenshots go under $X11_TMP/home.

set -u
X11_ROOT=${ZORBEL_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ZORBEL_ROOT=$X11_ROOT
export ZORBEL_ROOT
# shellcheck source=../../scripts/wine-env.sh
. "$X11_ROOT/scripts/wine-env.sh"

SAVER=${ZORBEL_LINUX_SAVER:-$X11_ROOT/build/native/src/x11/zorbel}
X11_NAME=$(basename "$0" .sh)
X11_PIDS=()
X11_SERVERS=()
X11_TMP=""
X11_STARTS=0

# System libraries keep some memory until exit; the saver's own may not.
export LSAN_OPTIONS="suppressions=$X11_ROOT/tests/x11/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:exitcode=86"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

x11_cleanup() {
  local pid
  for pid in "${X11_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${X11_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  for pid in "${X11_SERVERS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${X11_SERVERS[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -n "$X11_TMP" ] && rm -rf "$X11_TMP"
  return 0
}

fail() {
  echo "FAIL $X11_NAME: $*" >&2
  exit 1
}

x11_pass() {
  echo "PASS $X11_NAME"
  exit 0
}

# An X server on a free display from 300; DISPLAY is set to it.
xserver() { # server, args...
  zorbel_x_server 300 400 "$@" || fail "cannot start $1"
  X11_SERVERS+=("$ZORBEL_X_PID")
  export DISPLAY=":$ZORBEL_X_DISPLAY"
}

x11_init() { # [screen size WxH]
  trap x11_cleanup EXIT
  [ -x "$SAVER" ] || fail "no Linux saver at $SAVER"
  X11_TMP=$(mktemp -d /tmp/zorbel-x11.XXXXXX)
  chmod 755 "$X11_TMP"
  export HOME=$X11_TMP/home
  export XDG_STATE_HOME=$HOME/.local/state
  mkdir -p "$HOME/Pictures"
  xserver Xvfb -screen 0 "${1:-1024x768}x24"
}

xstart() {
  local envs=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    envs+=("$1")
    shift
  done
  shift
  X11_STARTS=$((X11_STARTS + 1))
  XERR=$X11_TMP/stderr.$X11_STARTS
  env "${envs[@]}" "$SAVER" "$@" </dev/null >/dev/null 2>"$XERR" &
  XPID=$!
  X11_PIDS+=("$XPID")
}

xalive() { kill -0 "$1" 2>/dev/null; }

xwait() {
  local pid=$1 limit=${2:-20} waited=0
  while xalive "$pid"; do
    [ "$waited" -ge $((limit * 10)) ] && return 124
    sleep 0.1
    waited=$((waited + 1))
  done
  wait "$pid"
}

xshot() { # file [window]
  import -window "${2:-root}" "$1" 2>/dev/null || fail "screenshot $1"
}

# Whether an area of a screenshot holds anything but black.
xdrawn() { # file x y w h
  local max
  max=$(convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -format '%[fx:maxima]' info: 2>/dev/null)
  [ -n "$max" ] && [ "$max" != 0 ]
}

xwait_drawn() { # file x y w h [seconds]
  local i
  for i in $(seq 1 $((${6:-15} * 5))); do
    xshot "$1" "${7:-root}"
    xdrawn "$1" "$2" "$3" "$4" "$5" && return 0
    sleep 0.2
  done
  return 1
}

# The saver's own window, by its name.
xsaver_window() {
  local i id
  for i in $(seq 1 100); do
    id=$(xdotool search --name '^Zorbel$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# The sanitizers' report, if the saver's stderr has one.
xsanitizer_clean() { # stderr file
  ! grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$1"
}

# The real xscreensaver daemon on DISPLAY, running the saver from its
# programs: list. It refuses to start hacks as root, so as root it runs as
# an unprivileged user of its own (made here when missing).
XS_USER=zorbel-saver
XS_RUN=()
XS_HOME=""
XS_PID=""

xs_start() { # program line
  XS_HOME=$X11_TMP/xs-home
  mkdir -p "$XS_HOME"
  if [ "$(id -u)" -eq 0 ]; then
    id "$XS_USER" >/dev/null 2>&1 ||
      useradd --system --no-create-home --shell /usr/sbin/nologin "$XS_USER" ||
      fail "cannot make the user $XS_USER"
    chown "$XS_USER" "$XS_HOME"
    XS_RUN=(runuser -u "$XS_USER" --)
  fi
  cat >"$XS_HOME/.xscreensaver" <<XSEOF
mode: one
selected: 0
lock: False
fade: False
unfade: False
splash: False
dpmsEnabled: False
timeout: 0:30:00
cycle: 0:30:00
programs: $1 \\n
XSEOF
  "${XS_RUN[@]}" env -i DISPLAY="$DISPLAY" HOME="$XS_HOME" PATH=/usr/bin:/bin \
    XDG_STATE_HOME="$XS_HOME/state" LSAN_OPTIONS="$LSAN_OPTIONS" ASAN_OPTIONS="$ASAN_OPTIONS" \
    UBSAN_OPTIONS="$UBSAN_OPTIONS" xscreensaver --no-splash --verbose >"$X11_TMP/xscreensaver.log" 2>&1 &
  XS_PID=$!
  X11_PIDS+=("$XS_PID")
  local i
  # In a full run it once took over 10 s to answer.
  for i in $(seq 1 150); do
    xs_command -time >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "the xscreensaver daemon does not answer: $(tail -5 "$X11_TMP/xscreensaver.log")"
}

xs_command() { "${XS_RUN[@]}" env DISPLAY="$DISPLAY" HOME="$XS_HOME" xscreensaver-command "$@"; }

# PIDs of the saver processes that xscreensaver started.
xs_savers() { pgrep -f "^$SAVER " || true; }

# Presses a key COUNT times in a window, then waits until the saver has
# handled them all (it uses no CPU for a moment: with -time-delay 0 it has
# no timer).
xkeys() { # window key count pid
  xdotool key --window "$1" --delay 0 --repeat "$3" --repeat-delay 0 "$2" 2>/dev/null ||
    fail "xdotool key $2"
  xidle "$4"
}

xcpu() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null; }

xidle() { # pid
  local before after i
  for i in $(seq 1 3000); do
    before=$(xcpu "$1")
    sleep 0.3
    after=$(xcpu "$1")
    [ -z "$after" ] && return 0 # ended: the caller finds out
    [ "$before" = "$after" ] && return 0
  done
  fail "the saver never came to rest"
}

xstatus_kb() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status"; }

# The pixel checks and picture makers of the Windows saver's tests.
E2E_ROOT=$X11_ROOT
# shellcheck source=../e2e/saver_data.sh
. "$X11_ROOT/tests/e2e/saver_data.sh"
# shellcheck source=../e2e/saver_checks.sh
. "$X11_ROOT/tests/e2e/saver_checks.sh"

xroot_id() { xwininfo -root | awk '/Window id:/ { print $4 }'; }
