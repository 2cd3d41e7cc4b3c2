#!/usr/bin/env bash
# The real xscreensaver daemon runs the saver from its programs: list:
# -activate puts comics on the screen, -deactivate ends the saver within a
# second, by the signal the daemon sent (it reports no abnormal exit),
# leaving no sanitizer report.
. "$(dirname "$0")/lib.sh"
x11_init 1024x768
xs_start "$SAVER -root -directory $X11_ROOT/data/sample -time-delay 1 -display-logo 0"
xshot "$X11_TMP/before.png"

xs_command -activate >/dev/null || fail "xscreensaver-command -activate"
for _ in $(seq 1 50); do
  [ -n "$(xs_savers)" ] && break
  sleep 0.2
done
pids=$(xs_savers)
[ "$(echo "$pids" | grep -c .)" -eq 1 ] || fail "not one saver running: '$pids'"
xwait_drawn "$X11_TMP/comic.png" 0 0 1024 768 20 || fail "no comic on the screen"

xs_command -deactivate >/dev/null || fail "xscreensaver-command -deactivate"
start=$(date +%s%N)
while [ -n "$(xs_savers)" ]; do
  [ $(($(date +%s%N) - start)) -gt 1000000000 ] && fail "the saver still runs a second after -deactivate"
  sleep 0.02
done
echo "ended $(( ($(date +%s%N) - start) / 1000000 )) ms after -deactivate"
xsanitizer_clean "$X11_TMP/xscreensaver.log" || fail "sanitizer: $(grep -A20 Sanitizer "$X11_TMP/xscreensaver.log")"
grep -q "forked \"$SAVER" "$X11_TMP/xscreensaver.log" || fail "the daemon did not start the saver"
sleep 0.5 # the daemon reports the end after the saver has gone
! grep -i 'abnormal' "$X11_TMP/xscreensaver.log" || fail "the daemon saw an abnormal exit"
x11_pass
