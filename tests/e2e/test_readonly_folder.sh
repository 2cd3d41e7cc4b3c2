#!/usr/bin/env bash
# What the saver writes when the data folder refuses writes, as it does for
# a standard user under Program Files (here a read-only bind mount): the log
# goes to %LOCALAPPDATA%\Quenwick\Zorbel Screensaver\error.log, F1 shots to
# Pictures\Zorbel Screensaver, numbered as in the data folder. A folder that
# vanishes while the saver runs sends the next shot there too; with no
# per-user folder to be had the saver still runs and ends on a key.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/saver_data.sh"
. "$(dirname "$0")/saver_checks.sh"
e2e_init

[ "$(id -u)" = 0 ] || fail "a read-only bind mount needs root"
src=$(ztmp)
zdata_basic "$src"
printf 'zb\r\nofficial\r\nfull.pcx\r\n' >"$src/comics.ini"
ro=$(ztmp)
mount --bind "$src" "$ro" && mount -o remount,ro,bind "$ro" || fail "no read-only bind mount"
trap 'umount "$ro" 2>/dev/null; e2e_cleanup' EXIT
touch "$ro/probe" 2>/dev/null && fail "the mount takes writes"

profile=$("$ZORBEL_WINE" winepath -u "$("$ZORBEL_WINE" cmd /c echo %USERPROFILE% 2>/dev/null | tr -d '\r')" 2>/dev/null | tr -d '\r')
[ -d "$profile" ] || fail "no user profile folder ($profile)"
logdir="$profile/AppData/Local/Quenwick/Zorbel Screensaver"
# Wine links Pictures to the Linux home; the test's user has a Pictures
# folder of their own, so that nothing is written outside the prefix. The
# prefix gets its link back at the end.
pictures_was=$(readlink "$profile/Pictures" || true)
rm -rf "$profile/Pictures" "$logdir"
mkdir "$profile/Pictures"
trap 'umount "$ro" 2>/dev/null
  [ -n "$pictures_was" ] && rm -rf "$profile/Pictures" && ln -s "$pictures_was" "$profile/Pictures"
  e2e_cleanup' EXIT
shotdir="$profile/Pictures/Zorbel Screensaver"

zsaver_defaults
zset_data_dir "$ro"
zstart /s
zkey F1
zpoll 10 test -f "$shotdir/shot0000.bmp" || fail "no shot0000.bmp in Pictures"
zkey F1
zpoll 10 test -f "$shotdir/shot0001.bmp" || fail "no shot0001.bmp in Pictures"
zkey a
zwait "$ZPID" 20 || fail "the saver did not end"
ls "$src" | grep -q -e '^shot' -e '^error.log$' && fail "written into the read-only folder"
zfile_is "$logdir/error.log" "$LOG_HEADER" || fail "no log in the local application data"
# The picture is the comic on the screen, 1023 x 767.
[ "$(identify -format '%w %h' "$shotdir/shot0000.bmp" 2>/dev/null)" = "1023 767" ] ||
  fail "shot0000.bmp is not the comic"


# A data folder that vanishes while the saver runs.
gone=$(ztmp)
cp -r "$src/." "$gone/"
zset_data_dir "$gone"
zstart /s
rm -rf "$gone"
zkey F1
zpoll 10 test -f "$shotdir/shot0002.bmp" || fail "a vanished folder: no shot0002.bmp in Pictures"
zkey a
zwait "$ZPID" 20 || fail "a vanished folder: the saver did not end"

# No per-user folders to be had (a file where each folder would be): the
# saver still shows the comic, F1 writes nothing, a key ends it.
rm -rf "$logdir" "$shotdir"
mkdir -p "$(dirname "$logdir")"
: >"$logdir"
: >"$shotdir"
zset_data_dir "$ro"
zstart /s
zshot "$E2E_TMP/noplace.png"
zkey F1
sleep 1 # time for a wrong end to come
zalive "$ZPID" || fail "no per-user folders: the saver died"
zkey a
zwait "$ZPID" 20 || fail "no per-user folders: the saver did not end"
[ "$(zbbox "$E2E_TMP/noplace.png")" != "0 0 0 0" ] || fail "no per-user folders: nothing shown"
rm -f "$logdir" "$shotdir"
e2e_pass
