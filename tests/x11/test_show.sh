#!/usr/bin/env bash
# The show drawn by the Linux saver on a window given with -window-id (the
# root window of a 1024 x 768 Xvfb), with the seed fixed: a finished comic
# pixel for pixel, a strip whose panels are exact outside their speech
# text and whose text darkens them, a popup flush with a bottom corner with
# its caption in white above it, the logo in the middle, and the error
# display for a missing picture with its log lines. Then in its own window:
# F1 saves exactly what the window shows, Return brings the next item.
. "$(dirname "$0")/lib.sh"
x11_init 1024x768
ROOT_ID=$(xroot_id)
NOW=$X11_TMP/now.png
LOG=$XDG_STATE_HOME/zorbel/error.log
data=$X11_TMP/data
mkdir -p "$data"
zdata_basic "$data"
zpcx "$data/a.pcx" 300 200 250 0 0 pattern
zpcx "$data/b.pcx" 200 300 120 0 0 pattern
zpcx "$data/pop.pcx" 160 120 0 200 0 pattern
cp "$X11_ROOT/tests/e2e/talk_strip.txt" "$data/talk.txt"

# Runs the saver on the root window with comics.ini and options; the
# screenshot of its first item is left in NOW.
show_first() { # comics.ini text, options...
  printf '%b' "$1" >"$data/comics.ini"
  shift
  xstart ZORBEL_SEED=7 -- -window-id "$ROOT_ID" -directory "$data" -time-delay 0 -use-toasty 0 \
    -display-logo 0 "$@"
  SHOW_PID=$XPID
  xwait_drawn "$NOW" 0 0 1024 768 10 || fail "nothing on the screen with $*"
  sleep 0.3
  xshot "$NOW"
}

show_end() {
  kill -TERM "$SHOW_PID"
  xwait "$SHOW_PID" 2 || fail "SIGTERM did not end the saver at once (status $?)"
  xsanitizer_clean "$XERR" || fail "sanitizer: $(cat "$XERR")"
}

# A finished comic, pixel for pixel, wholly on the screen.
show_first 'zb\nofficial\na.pcx\nb.pcx\n'
read -r w h x y <<<"$(zbbox "$NOW")"
case "$w $h" in
  "300 200") zsame_at "$NOW" "$data/a.pcx" "$x" "$y" || fail "a.pcx is not exact at $x,$y" ;;
  "200 300") zsame_at "$NOW" "$data/b.pcx" "$x" "$y" || fail "b.pcx is not exact at $x,$y" ;;
  *) fail "no finished comic on the screen: $w x $h" ;;
esac
[ $((x + w)) -lt 1024 ] && [ $((y + h)) -lt 768 ] || fail "the comic at $x,$y leaves no room"
show_end

# A strip with speech text: the panels are exact outside the first one's
# text box, the text only darkens, and there is some.
show_first 'zb\nrandom\ntalk.txt\n'
read -r w h x y <<<"$(zbbox "$NOW")"
[ "$w $h" = "770 339" ] || fail "no 770 x 339 strip: $w x $h at $x,$y"
zsame_at "$NOW" "$data/p2.pcx" $((x + 260)) "$y" && zsame_at "$NOW" "$data/p3.pcx" $((x + 520)) "$y" ||
  fail "the second and third panels are not exact"
zblack_at "$NOW" "10x339+$((x + 250))+$y" && zblack_at "$NOW" "10x339+$((x + 510))+$y" ||
  fail "the gaps are not black"
convert "$NOW" -crop "250x339+$x+$y" +repage "$X11_TMP/panel.png"
# (Minus_Dst of A and B is B - A, clamped at 0: where the screen is lighter.)
lighter=$(convert "$data/p1.pcx" "$X11_TMP/panel.png" -compose minus_dst -composite -format '%[max]' info:)
darker=$(compare -metric AE "$X11_TMP/panel.png" "$data/p1.pcx" null: 2>&1)
[ "$lighter" = 0 ] || fail "the speech text made pixels lighter"
[ "$darker" -gt 100 ] || fail "no speech text on the first panel ($darker pixels differ)"
# All of it in the box's rows and along the tail, none in the bottom rows.
convert "$data/p1.pcx" -crop 250x39+0+300 +repage "$X11_TMP/p1-bottom.png"
zsame_at "$NOW" "$X11_TMP/p1-bottom.png" "$x" $((y + 300)) || fail "the first panel changed below the tail"
show_end

# A popup flush with a bottom corner, its caption in white 30 rows above.
convert "$data/pop.pcx" -flop "$X11_TMP/pop-mirrored.png"
show_first 'popup\npop.pcx "Hello from Zorbel!"\n' -use-toasty 1 -per-toasty 1
if zsame_at "$NOW" "$data/pop.pcx" 0 648; then
  caption="300x25+0+618"
elif zsame_at "$NOW" "$X11_TMP/pop-mirrored.png" 864 648; then
  caption="300x25+724+618"
else
  fail "no popup flush with a bottom corner"
fi
[ "$(zbright "$NOW" "$caption")" -gt 30 ] || fail "no caption at $caption"
show_end

# The logo in the middle, whatever its turn.
show_first 'zb\nofficial\na.pcx\n' -display-logo 1 -logo-frames 0
zsame_at "$NOW" "$data/ZBLogo.pcx" 373 294 || fail "the logo is not at 373,294"
show_end

# A missing picture: the error picture in the middle, its message below it,
# and the log lines in the saver's words.
show_first 'zb\nofficial\nmissing.pcx\n'
zsame_at "$NOW" "$data/error.pcx" 452 344 || fail "the error picture is not at 452,344"
[ "$(zbright "$NOW" 400x20+312+407)" -gt 20 ] || fail "no message below the error picture"
show_end
grep -aqF "$data/missing.pcx: Unable to open file" "$LOG" && grep -aqF "missing.pcx: Unable to load" "$LOG" ||
  fail "error.log: $(cat "$LOG")"

# Its own window: F1 saves what the window shows, Return the next item.
printf 'zb\nofficial\na.pcx\nb.pcx\n' >"$data/comics.ini"
xstart ZORBEL_SEED=3 -- -geometry 800x600 -directory "$data" -time-delay 0 -use-toasty 0 -display-logo 0
own=$XPID
window=$(xsaver_window) || fail "no window of its own"
xwait_drawn "$NOW" 0 0 800 600 10 "$window" || fail "nothing in its own window"
sleep 0.3
xshot "$NOW" "$window"
read -r w h x y <<<"$(zbbox "$NOW")"
xdotool key --window "$window" F1
shot="$HOME/Pictures/Zorbel Screensaver/shot0000.bmp"
zpoll 5 test -s "$shot" || fail "F1 saved nothing"
[ "$(zscreen_size "$shot")" = "$w $h" ] || fail "the screenshot is $(zscreen_size "$shot"), not $w x $h"
zsame_at "$NOW" "$shot" "$x" "$y" || fail "the screenshot differs from the window at $x,$y"
for _ in 1 2 3; do xdotool key --window "$window" Return; done
sleep 0.5
xshot "$X11_TMP/next.png" "$window"
[ "$(zbbox "$X11_TMP/next.png")" != "0 0 0 0" ] || fail "Return left the window black"
xdotool key --window "$window" q
xwait "$own" 3 || fail "q did not end it (status $?)"
[ ! -e "$data/error.log" ] && [ -z "$(find "$data" -name 'shot*')" ] || fail "written into the data folder"
x11_pass
