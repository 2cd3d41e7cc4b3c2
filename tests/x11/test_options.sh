#!/usr/bin/env bash
# The command line: a bad option or value is one line on stderr and exit
# status 2, --help lists every option and ends with 0, a display that
# cannot be opened or a window that does not exist end it with 1.
. "$(dirname "$0")/lib.sh"
x11_init

for bad in "-fps" "-time-delay abc" "-use-zb 2" "-scale 9" "-window-id 0" "-per-toasty" "extra"; do
  # shellcheck disable=SC2086
  "$SAVER" $bad >/dev/null 2>"$X11_TMP/err"
  rc=$?
  [ "$rc" -eq 2 ] || fail "$bad: exit status $rc, not 2"
  [ "$(wc -l <"$X11_TMP/err")" -eq 1 ] || fail "$bad: not one line: $(cat "$X11_TMP/err")"
  grep -q '^zorbel: ' "$X11_TMP/err" || fail "$bad: $(cat "$X11_TMP/err")"
done

"$SAVER" --help >"$X11_TMP/help" 2>&1 || fail "--help: exit status $?"
for option in -root -window-id -geometry -directory -time-delay -display-logo -logo-frames \
  -use-sound -use-zb -use-pellow -use-random -use-original -use-official -use-toasty -per-zb \
  -per-pellow -per-random -per-original -per-official -per-toasty -scale; do
  grep -q -- "^  $option " "$X11_TMP/help" || fail "--help does not list $option"
done

DISPLAY=:999 "$SAVER" -root 2>"$X11_TMP/err"
rc=$?
[ "$rc" -eq 1 ] && grep -q 'cannot open the display :999' "$X11_TMP/err" ||
  fail "no display: status $rc: $(cat "$X11_TMP/err")"
"$SAVER" -window-id 0x1fffff0 2>"$X11_TMP/err"
rc=$?
[ "$rc" -eq 1 ] && grep -q 'no such window' "$X11_TMP/err" ||
  fail "no window: status $rc: $(cat "$X11_TMP/err")"
x11_pass
