# Sourced by scripts that run Windows programs: one private Wine prefix and
# one X display for the whole run, stopped again by zorbel_wine_stop.
#   ZORBEL_WINEPREFIX  prefix to use (default: build/wineprefix-test)
#   DISPLAY            used as it is when ZORBEL_USE_DISPLAY=1, else an Xvfb

# Whether this machine runs 32-bit programs: Wine's 32-bit half needs a
# kernel that runs 32-bit Linux programs, which some kernels have switched
# off (the kernel log then says "32-bit emulation disabled").
zorbel_runs_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The launcher runs 32-bit and 64-bit programs alike, where 32-bit ones run.
# It is a 32-bit process there, which sees SysWOW64 as System32.
zorbel_wine_bin() {
  if zorbel_runs_32bit && command -v wine >/dev/null 2>&1; then
    echo wine
  else
    zorbel_wine64_bin
  fi
}

# The 64-bit loader: what it starts by a path sees the real System32.
zorbel_wine64_bin() {
  if command -v wine64 >/dev/null 2>&1; then
    echo wine64
  else
    echo /usr/lib/wine/wine64
  fi
}

zorbel_wineserver_bin() {
  if command -v wineserver >/dev/null 2>&1; then
    echo wineserver
  else
    echo /usr/lib/wine/wineserver
  fi
}

# Runs COMMAND every tenth of a second until it succeeds; false when it has
# not within SECONDS. The one wait of the scripts and the tests: whatever
# can be waited for is waited for through it.
zpoll() { # seconds, command...
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

zorbel_x_answers() { # display number
  [ -e "/tmp/.X11-unix/X$1" ] && DISPLAY=":$1" xdpyinfo >/dev/null 2>&1
}

# Until the display answers or its server has given up (its number taken).
zorbel_x_settled() { # display number, server PID
  zorbel_x_answers "$1" || ! kill -0 "$2" 2>/dev/null
}

# Starts an X server on the first free display number from FIRST to LAST
# and waits until it answers; sets ZORBEL_X_DISPLAY (the number) and
# ZORBEL_X_PID.
zorbel_x_server() { # first, last, server, args...
  local first=$1 last=$2 n pid
  shift 2
  for n in $(seq "$first" "$last"); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    "$1" ":$n" "${@:2}" -nolisten tcp </dev/null >/dev/null 2>&1 &
    pid=$!
    zpoll 10 zorbel_x_settled "$n" "$pid"
    if kill -0 "$pid" 2>/dev/null && zorbel_x_answers "$n"; then
      ZORBEL_X_DISPLAY=$n
      ZORBEL_X_PID=$pid
      return 0
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  return 1
}

# Starts an Xvfb of ZORBEL_SCREEN_SIZE; sets DISPLAY and ZORBEL_XVFB_PID.
zorbel_start_xvfb() {
  if zorbel_x_server 90 140 Xvfb -screen 0 "${ZORBEL_SCREEN_SIZE:-1024x768}x24"; then
    export DISPLAY=":$ZORBEL_X_DISPLAY"
    export ZORBEL_XVFB_PID=$ZORBEL_X_PID
    return 0
  fi
  echo "Could not start Xvfb" >&2
  return 1
}

zorbel_wine_start() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPREFIX=${ZORBEL_WINEPREFIX:-$ZORBEL_ROOT/build/wineprefix-test}
  if [ "${ZORBEL_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    zorbel_start_xvfb || return 1
  fi
  ZORBEL_WINE=$(zorbel_wine_bin)
  ZORBEL_WINESERVER=$(zorbel_wineserver_bin)
  export ZORBEL_WINE ZORBEL_WINESERVER
  if [ "${ZORBEL_FRESH_PREFIX:-1}" = 1 ]; then
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$ZORBEL_WINE" wineboot -i >/dev/null 2>&1 || true
  fi
  # No persistent server yet: the wait below would never end on a kept
  # prefix, where no wineboot started a server that goes away by itself.
  # The speech font is mapped onto a free look-alike; nothing is shipped.
  "$ZORBEL_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Comic Sans MS' /t REG_SZ /d 'Comic Neue' /f >/dev/null 2>&1 || true
  # No desktop window manager decorations or crash dialogs in the way.
  "$ZORBEL_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  "$ZORBEL_WINESERVER" -w 2>/dev/null || true
  "$ZORBEL_WINESERVER" -p >/dev/null 2>&1 || true
  # Start Wine's background services now, with their output going nowhere:
  # started later by a test, they would hold the test runner's pipe open.
  "$ZORBEL_WINE" wineboot >/dev/null 2>&1 </dev/null || true
}

zorbel_wine_stop() {
  if [ -n "${ZORBEL_WINESERVER:-}" ]; then
    "$ZORBEL_WINESERVER" -k >/dev/null 2>&1 || true
  fi
  if [ -n "${ZORBEL_XVFB_PID:-}" ]; then
    kill "$ZORBEL_XVFB_PID" 2>/dev/null || true
    wait "$ZORBEL_XVFB_PID" 2>/dev/null || true
    unset ZORBEL_XVFB_PID
  fi
}
