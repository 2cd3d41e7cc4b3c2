#!/usr/bin/env bash
# The saver follows its window: a bigger window re-lays the show at the
# whole-number scale (2048 x 1536 doubles it), a window smaller than
# 1024 x 768 shrinks the show to fit (512 x 384 halves it), a window destroyed by
# another client ends it; SIGTERM ends it at once, by the signal (as
# xscreensaver expects of its hacks), with no shared memory left behind; an X server that goes away ends it with a log
# line and no crash.
. "$(dirname "$0")/lib.sh"
x11_init 2048x1536
NOW=$X11_TMP/now.png
LOG=$XDG_STATE_HOME/zorbel/error.log
data=$X11_TMP/data
mkdir -p "$data"
zdata_basic "$data"
zpcx "$data/a.pcx" 300 200 250 0 0 pattern
printf 'zb\nofficial\na.pcx\n' >"$data/comics.ini"
segments() { ipcs -m -p | awk -v p="$1" '$3 == p || $4 == p' | wc -l; }

xstart ZORBEL_SEED=5 -- -geometry 1024x768 -directory "$data" -time-delay 0 -display-logo 0 -use-toasty 0
pid=$XPID
window=$(xsaver_window) || fail "no window"
xwait_drawn "$NOW" 0 0 1024 768 10 "$window" || fail "nothing in the window"
read -r w h _ _ <<<"$(zbbox "$NOW")"
[ "$w $h" = "300 200" ] || fail "the comic is $w x $h at scale 1"
xdotool windowsize "$window" 2048 1536
for _ in $(seq 1 50); do
  xshot "$NOW" "$window"
  read -r w h _ _ <<<"$(zbbox "$NOW")"
  [ "$w $h" = "600 400" ] && break
  sleep 0.2
done
[ "$w $h" = "600 400" ] || fail "after the resize the comic is $w x $h, not doubled"
# Halved, its edges may fall inside a window pixel.
xdotool windowsize "$window" 512 384
for _ in $(seq 1 50); do
  xshot "$NOW" "$window"
  read -r w h _ _ <<<"$(zbbox "$NOW")"
  case "$w $h" in 15[01]" "10[01]) break ;; esac
  sleep 0.2
done
case "$w $h" in 15[01]" "10[01]) ;; *) fail "in 512 x 384 the comic is $w x $h, not halved" ;; esac
[ "$(segments "$pid")" -le 1 ] || fail "more than one shared memory segment"
kill -TERM "$pid"
xwait "$pid" 1
rc=$?
[ "$rc" -eq $((128 + 15)) ] || fail "SIGTERM: status $rc, not the signal's"
[ "$(segments "$pid")" -eq 0 ] || fail "shared memory left behind"
xsanitizer_clean "$XERR" || fail "sanitizer: $(cat "$XERR")"

# Its own window destroyed by another client.
xstart -- -directory "$data" -time-delay 0
pid=$XPID
window=$(xsaver_window) || fail "no window"
xdotool windowclose "$window" 2>/dev/null || xdotool windowkill "$window"
xwait "$pid" 3 || fail "a destroyed window did not end it (status $?)"

# The X server goes away.
xstart -- -directory "$data" -time-delay 0
pid=$XPID
xsaver_window >/dev/null || fail "no window"
for server in "${X11_SERVERS[@]}"; do kill "$server"; done
xwait "$pid" 5
rc=$?
[ "$rc" -eq 1 ] || fail "the X server gone: status $rc: $(tail -5 "$XERR")"
grep -aq "X server: connection lost" "$LOG" || fail "no log line: $(cat "$LOG")"
xsanitizer_clean "$XERR" || fail "sanitizer: $(cat "$XERR")"
x11_pass
