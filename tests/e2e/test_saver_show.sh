#!/usr/bin/env bash
# The real full-screen saver on a data folder of our own.
# Run 1, "Time Delay" 0 (no timer), two finished comics: the first item is on
# the screen at once, pixel for pixel at a place wholly on the screen, and
# stays; F1 saves exactly that rectangle as shot0000.bmp, then shot0001.bmp;
# Enter brings the next item; WM_CLOSE from another program, the SC_CLOSE
# and SC_SCREENSAVE commands, Alt+X and Alt+F4 leave it running; a mouse move of 50
# right and 50 down keeps it, one more pixel to the right ends it.
# Run 2, "Time Delay" 1, one strip template: the strip (three panels with
# their gaps) changes by itself, twice; a key ends it.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/saver_data.sh"
. "$(dirname "$0")/saver_checks.sh"
e2e_init

data=$(ztmp)
zdata_basic "$data"
zpcx "$data/a.pcx" 300 200 250 0 0 pattern
zpcx "$data/b.pcx" 200 300 120 0 0 pattern
NOW=$E2E_TMP/now.png
ITEM=$E2E_TMP/item.png
SW=0
SH=0

# Prints "name X Y" when the screenshot shows exactly one whole item (and
# nothing else), placed wholly on the screen as the show places it.
shot_item() {
  local w h x y name
  read -r w h x y <<<"$(zbbox "$1")"
  case "$w $h" in
    "300 200")
      zsame_at "$1" "$data/a.pcx" "$x" "$y" || return 1
      name=a
      ;;
    "200 300")
      zsame_at "$1" "$data/b.pcx" "$x" "$y" || return 1
      name=b
      ;;
    "770 339")
      zsame_at "$1" "$data/p1.pcx" "$x" "$y" &&
        zblack_at "$1" "10x339+$((x + 250))+$y" &&
        zsame_at "$1" "$data/p2.pcx" $((x + 260)) "$y" &&
        zblack_at "$1" "10x339+$((x + 510))+$y" &&
        zsame_at "$1" "$data/p3.pcx" $((x + 520)) "$y" || return 1
      name="strip"
      ;;
    *) return 1 ;;
  esac
  # Placed by a remainder of the free room: at least one pixel is left over.
  if [ $((x + w)) -ge "$SW" ] || [ $((y + h)) -ge "$SH" ]; then
    echo "$name at $x,$y does not leave the room the placement keeps" >&2
    return 2
  fi
  echo "$name $x $y"
}

# Waits for an item other than PREV; prints it and keeps its screenshot.
# An item out of place ends the wait at once.
wait_item() { # prev, seconds
  SEEN=""
  zpoll "$2" item_other_than "$1" && [ "$SEEN" != misplaced ] && echo "$SEEN"
}

item_other_than() { # prev; sets SEEN
  local now rc
  zshot "$NOW"
  now=$(shot_item "$NOW")
  rc=$?
  if [ "$rc" = 2 ]; then
    SEEN=misplaced
    return 0
  fi
  [ -n "$now" ] && [ "$now" != "$1" ] || return 1
  cp "$NOW" "$ITEM"
  SEEN=$now
}

# --- Run 1
printf 'zb\r\nofficial\r\na.pcx\r\nb.pcx\r\n' >"$data/comics.ini"
zsaver_defaults
zreg_set_platform "Password Delay" REG_DWORD 100000
zset_data_dir "$data"
zpointer_at 400 300
zstart /s
saver=$ZPID
zshot "$NOW"
read -r SW SH <<<"$(zscreen_size "$NOW")"

# Without a timer only the start-up step can have drawn it.
first=$(wait_item "" 20) || fail "the first item did not appear"
echo "first item: $first"
# The checks that something does not happen give it time to happen first:
# nothing marks the moment it would.
sleep 1.5
zshot "$NOW"
[ "$(shot_item "$NOW")" = "$first" ] || fail "the first item did not stay without a timer"

read -r name x y <<<"$first"
read -r w h _ _ <<<"$(zbbox "$ITEM")"
row=$(((3 * w + 3) / 4 * 4))
zkey F1
zpoll 15 zfile_size "$data/shot0000.bmp" $((54 + row * h)) || fail "no whole shot0000.bmp"
convert "$ITEM" -crop "${w}x${h}+$x+$y" +repage "$E2E_TMP/crop.png"
differ=$(compare -metric AE "$data/shot0000.bmp" "$E2E_TMP/crop.png" null: 2>&1)
[ "$differ" = 0 ] || fail "shot0000.bmp differs from the screen at the item: $differ"
zkey F1
zpoll 15 zfile_size "$data/shot0001.bmp" $((54 + row * h)) || fail "no whole shot0001.bmp"
cmp -s "$data/shot0000.bmp" "$data/shot0001.bmp" || fail "the second shot differs from the first"

previous=$first
for i in 1 2 3; do
  zkey Return
  next=$(wait_item "$previous" 20) || fail "Enter $i did not bring a next item"
  echo "after Enter $i: $next"
  previous=$next
done

ztool saver_poke close || fail "saver_poke close: status $?"
sleep 1 # time for a wrong end to come
zsaver_window || fail "another program's WM_CLOSE ended the saver"
ztool saver_poke syscommand $((0xF060)) || fail "saver_poke SC_CLOSE: status $?"
ztool saver_poke syscommand $((0xF140)) || fail "saver_poke SC_SCREENSAVE: status $?"
sleep 1 # time for a wrong end to come
zsaver_window || fail "SC_CLOSE or SC_SCREENSAVE ended the saver"
# System keys are not keys of the saver; Alt+F4 becomes SC_CLOSE.
zkey alt+x
zkey alt+F4
sleep 1 # time for a wrong end to come
zsaver_window || fail "an Alt key combination ended the saver"
zshot "$NOW"
[ "$(shot_item "$NOW")" = "$previous" ] || fail "the screen changed on close messages"

zmove 450 350
sleep 1.5 # time for a wrong end to come
zsaver_window || fail "a move of 50 and 50 pixels ended the saver"
zmove 451 350
zwait "$saver" 20
rc=$?
[ "$rc" = 0 ] || fail "a move of 51 pixels did not end the saver (status $rc)"
new=$(cd "$data" && echo shot*)
[ "$new" = "shot0000.bmp shot0001.bmp" ] || fail "shot files: $new"
zfile_is "$data/error.log" "$LOG_HEADER" || fail "error.log of run 1"

# --- Run 2
rm -f "$data"/shot*.bmp
printf 'random\r\nstrip.txt\r\n' >"$data/comics.ini"
zreg_set "Time Delay" REG_DWORD 1
zstart /s
saver=$ZPID
previous=$(wait_item "" 20) || fail "run 2: no first strip"
echo "first strip: $previous"
for i in 1 2; do
  next=$(wait_item "$previous" 20) || fail "run 2: the strip did not change by itself ($i)"
  echo "by itself: $next"
  previous=$next
done
zsaver_window || fail "run 2: the saver ended by itself"
zkey x
zwait "$saver" 20
rc=$?
[ "$rc" = 0 ] || fail "run 2: a key did not end the saver (status $rc)"
zfile_is "$data/error.log" "$LOG_HEADER" || fail "error.log of run 2"
e2e_pass
