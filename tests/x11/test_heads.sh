#!/usr/bin/env bash
# Two monitors (a nested X server with two heads and Xinerama): xscreensaver
# runs one saver per head, and each head shows comics. The saver alone on
# the root (no XSCREENSAVER_WINDOW) runs a show per head: one finished
# comic, wholly within each head, shrunk on the head smaller than 1024 x 768;
# so does its own window over both, where Return steps every head.
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
data=$X11_TMP/one-comic
mkdir -p "$data"
python3 "$X11_ROOT/tests/e2e/zpcx.py" "$data/a.pcx" 300 200 250 0 0 pattern || fail "no picture"
printf 'zb\r\nofficial\r\na.pcx\r\n' >"$data/comics.ini"
xstart -- -root -directory "$data" -time-delay 0 -display-logo 0 -use-toasty 0 -use-pellow 0
# The comic alone on the head: the rest of it black. The 800 x 600 head
# shrinks a show of 1024 x 768 into itself, the comic with it (234.4 x 156.25
# pixels, its edges blended).
comic_on() { # geometry, widths, heights
  local w h
  IFS=x+ read -r w h _ <<<"$(convert "$X11_TMP/root.png" -crop "$1" +repage -format '%@' info: 2>/dev/null)"
  [[ " $2 " == *" $w "* && " $3 " == *" $h "* ]]
}
both_heads() {
  xshot "$X11_TMP/root.png"
  comic_on 1024x768+0+0 300 200 && comic_on 800x600+1024+0 "234 235 236" "156 157 158"
}
for _ in $(seq 1 50); do
  both_heads && break
  sleep 0.2
done
both_heads || fail "not the comic on each head"
kill -TERM "$XPID"
rc=0
xwait "$XPID" 10 || rc=$?
[ "$rc" -eq $((128 + 15)) ] || fail "the saver on the root did not end by SIGTERM (status $rc)"
xsanitizer_clean "$XERR" || fail "sanitizer: $(cat "$XERR")"

# Its own window over both heads: Return puts the next item (the comic at a
# new place) on each head, the second a turn of the loop after the first.
xstart -- -geometry 1824x768 -directory "$data" -time-delay 0 -display-logo 0 -use-toasty 0 \
  -use-pellow 0
win=$(xsaver_window) || fail "no saver window"
places() { for g in 1024x768+0+0 800x600+1024+0; do
  convert "$X11_TMP/root.png" -crop "$g" +repage -format '%@ ' info:
done; }
for _ in $(seq 1 50); do
  both_heads && break
  sleep 0.2
done
both_heads || fail "not the comic on each head of the saver's own window"
for key in 1 2 3; do
  before=$(places)
  xkeys "$win" Return 1 "$XPID"
  moved() {
    both_heads || return 1
    read -r l1 r1 <<<"$before"
    read -r l2 r2 <<<"$(places)"
    [ "$l1" != "$l2" ] && [ "$r1" != "$r2" ]
  }
  for _ in $(seq 1 25); do
    moved && break
    sleep 0.2
  done
  moved || fail "Return $key: not a next item on each head ($before, then $(places))"
done
xkeys "$win" Escape 1 "$XPID"
xwait "$XPID" 10 || fail "the saver did not end on Escape"
xsanitizer_clean "$XERR" || fail "sanitizer: $(cat "$XERR")"
xsanitizer_clean "$X11_TMP/xscreensaver.log" || fail "sanitizer: $(grep -A20 Sanitizer "$X11_TMP/xscreensaver.log")"
x11_pass
