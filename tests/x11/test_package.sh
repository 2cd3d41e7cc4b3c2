#!/usr/bin/env bash
# The Debian package: made by scripts/package, installed with dpkg into a
# scratch root, every file in place, the installed program runs, apt could
# install it here, and lintian finds no error.
. "$(dirname "$0")/lib.sh"
x11_init

B=${ZORBEL_BUILD_ROOT:-build}
case $B in /*) ;; *) B=$X11_ROOT/$B ;; esac
program=$X11_ROOT/dist/linux/zorbel
[ "$B" = "$X11_ROOT/build" ] || program=$B/dist/linux/zorbel
# The optimised programs that ship, where scripts/build made them.
checker=$(dirname "$program")/zorbel-check
[ -x "$program" ] || program=$SAVER
[ -x "$checker" ] || checker=$(dirname "$SAVER")/../../zorbel-check
[ -x "$checker" ] || fail "no zorbel-check beside $program or $SAVER"
out=$X11_TMP/out
ZORBEL_PACKAGE_LINUX=$program ZORBEL_PACKAGE_CHECK=$checker ZORBEL_PACKAGE_OUT=$out \
  "$X11_ROOT/scripts/package" deb \
  2>"$X11_TMP/package.log" || fail "scripts/package deb: $(cat "$X11_TMP/package.log")"
version=$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$X11_ROOT/CMakeLists.txt")
deb=$out/zorbel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb: $(ls "$out")"

root=$X11_TMP/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" \
  >"$X11_TMP/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$X11_TMP/dpkg.log")"
dpkg --root="$root" -s zorbel | grep -q '^Status: install ok installed' || fail "not installed"

for f in usr/libexec/xscreensaver/zorbel usr/libexec/xsecurelock/saver_zorbel usr/bin/zorbel-check; do
  [ -x "$root/$f" ] || fail "$f missing or not executable"
done
for f in usr/share/xscreensaver/config/zorbel.xml usr/share/applications/screensavers/zorbel.desktop \
  usr/share/man/man6/zorbel.6.gz usr/share/man/man1/zorbel-check.1.gz usr/share/doc/zorbel/copyright usr/share/zorbel/comics.ini \
  usr/share/zorbel/ZBLogo.pcx usr/share/zorbel/error.pcx; do
  [ -f "$root/$f" ] || fail "$f missing"
done
# Every file of the sample data, nothing of a run.
for f in "$X11_ROOT"/data/sample/*; do
  case "$(basename "$f")" in error.log | shot*.bmp) continue ;; esac
  cmp -s "$f" "$root/usr/share/zorbel/$(basename "$f")" || fail "data file $(basename "$f")"
done

# The settings page offers every option of the program.
xml=$root/usr/share/xscreensaver/config/zorbel.xml
xmllint --noout "$xml" 2>/dev/null || python3 -c "import sys, xml.dom.minidom as m; m.parse(sys.argv[1])" "$xml" ||
  fail "zorbel.xml is not well-formed"
for option in -root -directory -time-delay -display-logo -logo-frames -use-sound -use-zb -use-pellow \
  -use-random -use-original -use-official -use-toasty -per-zb -per-pellow -per-random \
  -per-original -per-official -per-toasty -scale; do
  grep -q -- "\"$option[ \"]" "$xml" || fail "zorbel.xml lacks $option"
done
grep -q 'exec /usr/libexec/xscreensaver/zorbel -root' "$root/usr/libexec/xsecurelock/saver_zorbel" ||
  fail "saver_zorbel does not run the program with -root"

"$root/usr/libexec/xscreensaver/zorbel" --help >/dev/null 2>&1 || fail "the installed program does not run"
"$root/usr/bin/zorbel-check" "$root/usr/share/zorbel" >"$X11_TMP/check.log" 2>&1 ||
  fail "the installed checker finds fault with the installed data: $(head -5 "$X11_TMP/check.log")"
# xsecurelock's module gives -root once, also when its caller gives it.
printf '#!/bin/sh\necho "$@"\n' >"$X11_TMP/echo-args"
chmod +x "$X11_TMP/echo-args"
args=$(sed "s|/usr/libexec/xscreensaver/zorbel|$X11_TMP/echo-args|" \
  "$root/usr/libexec/xsecurelock/saver_zorbel" | sh -s -- -root -time-delay 5)
[ "$args" = "-root -time-delay 5" ] || fail "saver_zorbel -root runs the program with: $args"
apt-get -s install "$deb" >"$X11_TMP/apt.log" 2>&1 || fail "apt cannot install it: $(tail -5 "$X11_TMP/apt.log")"

lintian --tag-display-limit 0 "$deb" >"$X11_TMP/lintian.log" 2>&1
grep -v 'running with root privileges' "$X11_TMP/lintian.log" | sed 's/^/lintian: /'
! grep -q '^E: ' "$X11_TMP/lintian.log" || fail "lintian reports errors"
x11_pass
