#!/usr/bin/env bash
# The real full-screen saver on screens other than one 1024 x 768 monitor,
# each an X server of the test's own (x_screens.sh), with one finished comic
# listed and "Time Delay" 0.
# Two heads, a 2048 x 1536 primary and a 1024 x 768 head to its right: the
# saver's process sees both monitors, and each head shows the comic alone,
# within itself, doubled on the large head only, each at a place of its own
# draws, item after item; F1 saves the item of the head under the pointer. With "EveryMonitor" 0 the desktop is black but
# for the comic, doubled, on the primary monitor.
# Two heads, the second to the left (at -800, 0 for Windows): a comic on
# each head.
# One 3840 x 2160 monitor: the comic is shown doubled, pixel for pixel, at
# a place of the halved screen times two, and F1 saves it doubled; with
# "Scale" = 1 it is shown at its own size.
# The display's mode changed while the saver runs, from 2048 x 1536 (the
# show doubled) to 1024 x 768, then 1600 x 1200: each time the window
# covers the new screen, all black, and the next comics are drawn at the
# new layout's scale, anywhere on its show.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/saver_data.sh"
. "$(dirname "$0")/saver_checks.sh"
. "$(dirname "$0")/x_screens.sh"
e2e_init

data=$(ztmp)
zdata_basic "$data"
zpcx "$data/a.pcx" 300 200 250 0 0 pattern
printf 'zb\r\nofficial\r\na.pcx\r\n' >"$data/comics.ini"
convert "$data/a.pcx" -scale 200% "$E2E_TMP/a2.png" || fail "no doubled picture"
NOW=$E2E_TMP/now.png

settings() {
  zsaver_defaults
  zset_data_dir "$data"
  zreg_set_platform "Password Delay" REG_DWORD 100000
}

# True when the screen shows PICTURE alone, wholly inside the columns
# LEFT .. RIGHT - 1, with everything else black; its place in AT_X, AT_Y.
item_in() { # picture, left, right
  local w h x y
  zshot "$NOW"
  read -r w h x y <<<"$(zbbox "$NOW")"
  [ "$w $h" = "$(identify -format '%w %h' "$1")" ] || return 1
  zsame_at "$NOW" "$1" "$x" "$y" || return 1
  [ "$x" -ge "$2" ] && [ $((x + w)) -le "$3" ] || return 1
  AT_X=$x
  AT_Y=$y
}

run_saver() { # picture, left, right
  zstart /s
  zpoll 10 item_in "$@" ||
    fail "$(basename "$1") not alone on the primary monitor ($(zbbox "$NOW"), display $(zscreen_size "$NOW"))"
}

# The monitors as the saver's process sees them: without Xinerama, Wine
# makes one monitor of the whole desktop.
sees_monitors() { # "WxH+X+Y ..." in the order Windows lists them
  local seen
  seen=$(ztool saver_poke monitors | sort | tr '\n' ' ')
  [ "$seen" = "$(printf '%s\n' "$@" | sort | tr '\n' ' ')" ] ||
    fail "the saver sees the monitors ${seen:-(none)}, not $*"
}

end_saver() {
  zkey a
  zwait "$ZPID" 20 >/dev/null || fail "the saver did not end"
}

# PICTURE alone on the head at WxH+X+Y of the last screenshot, the rest of
# the head black; its place on the head in AT_X, AT_Y.
item_on() { # picture, geometry
  local head=$E2E_TMP/head.png w h x y
  convert "$NOW" -crop "$2" +repage "$head" 2>/dev/null || return 1
  read -r w h x y <<<"$(zbbox "$head")"
  [ "$w $h" = "$(identify -format '%w %h' "$1")" ] && zsame_at "$head" "$1" "$x" "$y" || return 1
  AT_X=$x
  AT_Y=$y
}
next_item() { ztool saver_poke keys 1 >/dev/null || fail "no answer to Enter"; }

# The heads' root windows show the classic grey weave until the saver covers them.
settings
zreg_set_platform "Mouse Threshold" REG_DWORD 100000
zscreen_heads -retro -screen 2048x1536+0+0 -screen 1024x768+2048+0
zshot "$NOW"
[ "$(zscreen_size "$NOW")" = "3072 1536" ] || fail "two heads make $(zscreen_size "$NOW")"
zblack_at "$NOW" 1024x768+2048+0 && fail "the second head is black before the saver runs"
zpointer_at 2500 300
zstart /s
sees_monitors 2048x1536+0+0 1024x768+2048+0
both_heads() {
  zshot "$NOW"
  item_on "$E2E_TMP/a2.png" 2048x1536+0+0 || return 1
  LEFT="$((AT_X / 2)) $((AT_Y / 2)) $((AT_X % 2 + AT_Y % 2))"
  item_on "$data/a.pcx" 1024x768+2048+0 || return 1
  RIGHT="$AT_X $AT_Y 0"
}
# Each key moves the comic to a new place on each head: the tool's Enter,
# which waits for every monitor, then a real Return, after which the saver
# itself has the second head take its turn.
moved() { both_heads && [ "$LEFT" != "$WAS_LEFT" ] && [ "$RIGHT" != "$WAS_RIGHT" ]; }
WAS_LEFT='' WAS_RIGHT=''
for item in 1 2 3; do
  zpoll 10 moved || fail "item $item: not a new comic on each head at its scale ($(zbbox "$NOW"))"
  # Two shows of 1024 x 768 with the same draws would put their items at
  # the same place of the show.
  [ "$LEFT" != "$RIGHT" ] || fail "item $item: both heads drew the same place ($LEFT)"
  WAS_LEFT=$LEFT WAS_RIGHT=$RIGHT
  case $item in
    1) next_item ;;
    2) zkey Return ;;
  esac
done
zkey F1
zpoll 10 zfile_size "$data/shot0000.bmp" $((54 + 300 * 3 * 200)) ||
  fail "F1 on the second head saved no shot of its comic ($(stat -c %s "$data/shot0000.bmp" 2>/dev/null) bytes)"
zpointer_at 500 500
zkey F1
zpoll 10 zfile_size "$data/shot0001.bmp" $((54 + 600 * 3 * 400)) ||
  fail "F1 on the first head saved no shot of its doubled comic"
end_saver
rm -f "$data"/shot*.bmp

zreg_set EveryMonitor REG_DWORD 0
run_saver "$E2E_TMP/a2.png" 0 2048
end_saver

settings
zscreen_heads -retro -origin 800,0 -screen 1024x768+800+0 -origin 0,0 -screen 800x600+0+0
zstart /s
sees_monitors 1024x768+0+0 800x600-800+0
on_each() {
  zshot "$NOW"
  item_on "$data/a.pcx" 1024x768+800+0 && item_on "$data/a.pcx" 800x600+0+0
}
zpoll 10 on_each || fail "not a comic on each head ($(zbbox "$NOW"))"
end_saver

zscreen_xvfb 3840x2160
settings
run_saver "$E2E_TMP/a2.png" 0 3840
x=$AT_X
y=$AT_Y
[ $((x % 2)) = 0 ] && [ $((y % 2)) = 0 ] || fail "doubled comic at $x,$y, not on the halved screen"
[ $((x / 2 + 300)) -lt 1920 ] && [ $((y / 2 + 200)) -lt 1080 ] ||
  fail "doubled comic at $x,$y beyond the room of the halved screen"
zkey F1
# The doubled comic, 600 x 400 pixels of 3 bytes, after 54 bytes of headers.
zpoll 10 zfile_size "$data/shot0000.bmp" $((54 + 600 * 3 * 400)) ||
  fail "F1 saved no whole shot ($(stat -c %s "$data/shot0000.bmp" 2>/dev/null) bytes)"
[ "$(compare -metric AE "$data/shot0000.bmp" "$E2E_TMP/a2.png" null: 2>&1)" = 0 ] ||
  fail "the screenshot is not the doubled comic"
end_saver

zreg_set Scale REG_DWORD 1
run_saver "$data/a.pcx" 0 3840
end_saver

# As the display settings change the mode: Wine tells the windows of such a
# change, not of one made in X alone. The root's weave shows where the
# window does not reach.
window_geometry() {
  xwininfo -name SaverWindow 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { print w "x" h "+" x "+" y }'
}
covers_black() { # WxH
  zshot "$NOW"
  [ "$(window_geometry)" = "$1+0+0" ] && [ "$(zscreen_size "$NOW")" = "${1/x/ }" ] &&
    [ "$(zbbox "$NOW")" = "0 0 0 0" ]
}
display_to() { # WxH
  ztool saver_poke display "${1%x*}" "${1#*x}" || fail "the display did not change to $1"
  zpoll 10 covers_black "$1" ||
    fail "$1: window $(window_geometry), screen $(zscreen_size "$NOW"), lit $(zbbox "$NOW")"
}
zscreen_resizable 2048x1536
settings
run_saver "$E2E_TMP/a2.png" 0 2048
display_to 1024x768
next_item
zpoll 10 item_in "$data/a.pcx" 0 1024 ||
  fail "1024x768: the next comic is not at its own size ($(zbbox "$NOW"))"
display_to 1600x1200
# A show still of 1024 x 768 would put each comic there; one of 1600 x 1200
# does so about one time in three.
beyond=0
for _ in $(seq 20); do
  next_item
  zpoll 10 item_in "$data/a.pcx" 0 1600 ||
    fail "1600x1200: no comic at its own size ($(zbbox "$NOW"))"
  if [ $((AT_X + 300)) -gt 1024 ] || [ $((AT_Y + 200)) -gt 768 ]; then
    beyond=1
    break
  fi
done
[ "$beyond" = 1 ] || fail "1600x1200: 20 comics, all where a show of 1024 x 768 puts them"
end_saver
zscreen_home
e2e_pass
