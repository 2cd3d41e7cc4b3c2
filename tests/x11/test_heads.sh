#!/usr/bin/env bash
# Two monitors (a nested X server with two heads and Xinerama): xscreensaver
# runs one saver per head, and each head shows comics.
. "$(dirname "$0")/lib.sh"
x11_init 4096x2048
xserver Xephyr -retro -screen 1024x768+0+0 -screen 800x600+1024+0 +xinerama
xs_start "$SAVER -root -directory $X11_ROOT/data/sample -time-delay 1 -display-logo 0"

xs_command -activate >/dev/null || fail "xscreensaver-command -activate"
for _ in $(seq 1 50); do
  [ "$(xs_savers | grep -c .)" -eq 2 ] && break
  sleep 0.2
done
[ "$(xs_savers | grep -c .)" -eq 2 ] || fail "not one saver per head: $(xs_savers | tr '\n' ' ')"
# Each head shows something on its own: the left one and the right one.
xwait_drawn "$X11_TMP/left.png" 0 0 1024 768 20 || fail "the first head shows nothing"
xwait_drawn "$X11_TMP/right.png" 1024 0 800 600 20 || fail "the second head shows nothing"
xs_command -deactivate >/dev/null
for _ in $(seq 1 50); do
  [ -z "$(xs_savers)" ] && break
  sleep 0.1
done
[ -z "$(xs_savers)" ] || fail "savers still run after -deactivate"
xsanitizer_clean "$X11_TMP/xscreensaver.log" || fail "sanitizer: $(grep -A20 Sanitizer "$X11_TMP/xscreensaver.log")"
x11_pass
