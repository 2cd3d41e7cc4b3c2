# shellcheck shell=bash
# X servers of a test's own, for screens other than the shared display;
# sourced after lib.sh. Wine's server is restarted on the new display, so
# that Wine reads its monitors afresh, and again on the test's own display
# when the test ends (also when it fails).
#
#   zscreen_xvfb WxH        one monitor of that size
#   zscreen_heads ARGS...   monitors side by side: Xephyr with Xinerama
#                           inside an Xvfb, ARGS its -origin and -screen
#                           options; Wine reads them through Xinerama
#   zscreen_resizable WxH   one monitor whose mode Windows programs may
#                           change: Xephyr inside an Xvfb, whose RandR
#                           offers modes up to 1600 x 1200 (Xvfb's offers
#                           none but its own)
#   zscreen_home            back to the test's own display

E2E_HOME_DISPLAY=""
E2E_XSERVERS=()

# Starts an X server on the first free display from 150 and leaves its
# number in ZX_DISPLAY; the server is stopped with the test.
zx_start() { # server, args...
  zorbel_x_server 150 250 "$@" || return 1
  E2E_XSERVERS+=("$ZORBEL_X_PID")
  ZX_DISPLAY=$ZORBEL_X_DISPLAY
}

zx_stop_all() {
  local pid
  for pid in "${E2E_XSERVERS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_XSERVERS[@]}"; do wait "$pid" 2>/dev/null || true; done
  E2E_XSERVERS=()
}

zwineserver() { "${ZORBEL_WINESERVER:-$(zorbel_wineserver_bin)}" "$@"; }

# Wine's server and programs again, on DISPLAY as it is now.
zwine_restart() { # Xinerama: Y or N
  zwineserver -k >/dev/null 2>&1
  zwineserver -w >/dev/null 2>&1
  if [ "$1" = Y ]; then
    zwin reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1 ||
      fail "cannot tell Wine to use Xinerama"
  else
    zwin reg delete 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /f >/dev/null 2>&1
  fi
  # Its display driver reads the setting when it starts.
  zwineserver -k >/dev/null 2>&1
  zwineserver -w >/dev/null 2>&1
  zwineserver -p >/dev/null 2>&1
  zwin wineboot </dev/null >/dev/null 2>&1
}

zscreen_leave() {
  if [ -z "$E2E_HOME_DISPLAY" ]; then
    E2E_HOME_DISPLAY=$DISPLAY
    trap 'zscreen_home; e2e_cleanup' EXIT
  fi
  # Wine must let go of the display it is on before that goes.
  zwineserver -k >/dev/null 2>&1
  zwineserver -w >/dev/null 2>&1
  zx_stop_all
}

zscreen_xvfb() {
  zscreen_leave
  zx_start Xvfb -screen 0 "${1}x24" || fail "no Xvfb of $1"
  export DISPLAY=":$ZX_DISPLAY"
  zwine_restart N
}

zscreen_heads() {
  zscreen_leave
  zx_start Xvfb -screen 0 4096x2048x24 || fail "no Xvfb for Xephyr"
  DISPLAY=":$ZX_DISPLAY" zx_start Xephyr "$@" +xinerama || fail "no Xephyr $*"
  export DISPLAY=":$ZX_DISPLAY"
  zwine_restart Y
}

zscreen_resizable() {
  zscreen_leave
  zx_start Xvfb -screen 0 4096x2048x24 || fail "no Xvfb for Xephyr"
  DISPLAY=":$ZX_DISPLAY" zx_start Xephyr -retro -screen "$1" || fail "no Xephyr of $1"
  export DISPLAY=":$ZX_DISPLAY"
  zwine_restart N
}

zscreen_home() {
  [ -n "$E2E_HOME_DISPLAY" ] || return 0
  zwineserver -k >/dev/null 2>&1
  zwineserver -w >/dev/null 2>&1
  export DISPLAY=$E2E_HOME_DISPLAY
  E2E_HOME_DISPLAY=""
  zx_stop_all
  zwine_restart N
}
