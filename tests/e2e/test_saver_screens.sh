#!/usr/bin/env bash
# The real full-screen saver on screens other than one 1024 x 768 monitor,
# each an X server of the test's own (x_screens.sh), with one finished comic
# listed and "Time Delay" 0.
# Two heads, the second to the right of the primary: the whole desktop is
# black but for the comic, which lies wholly on the primary monitor.
# Two heads, the second to the left (at -800, 0 for Windows): the same, the
# comic on the right-hand head.
# One 3840 x 2160 monitor: the comic is shown doubled, pixel for pixel, at
# a place of the halved screen times two, and F1 saves it doubled; with
# "Scale" = 1 it is shown at its own size.
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
  zsaver_start
  zpoll 10 item_in "$@" ||
    fail "$(basename "$1") not alone on the primary monitor ($(zbbox "$NOW"), display $(zscreen_size "$NOW"))"
}

end_saver() {
  zkey a
  zwait "$ZPID" 20 >/dev/null || fail "the saver did not end"
}

# The heads' root windows show the classic grey weave until the saver covers them.
settings
zscreen_heads -retro -screen 1024x768+0+0 -screen 800x600+1024+0
zshot "$NOW"
[ "$(zscreen_size "$NOW")" = "1824 768" ] || fail "two heads make $(zscreen_size "$NOW")"
zblack_at "$NOW" 800x600+1024+0 && fail "the second head is black before the saver runs"
run_saver "$data/a.pcx" 0 1024
end_saver

zscreen_heads -retro -origin 800,0 -screen 1024x768+800+0 -origin 0,0 -screen 800x600+0+0
run_saver "$data/a.pcx" 800 1824
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
zpoll 10 test -s "$data/shot0000.bmp" || fail "F1 saved nothing"
sleep 0.5
[ "$(compare -metric AE "$data/shot0000.bmp" "$E2E_TMP/a2.png" null: 2>&1)" = 0 ] ||
  fail "the screenshot is not the doubled comic"
end_saver

zreg_set Scale REG_DWORD 1
run_saver "$data/a.pcx" 0 3840
end_saver
zscreen_home
e2e_pass
