#!/usr/bin/env bash
# Makes zorbel_<version>_<arch>.deb with Debian's own tools: the Linux
# saver, its xscreensaver and xsecurelock files, the checker zorbel-check,
# the man pages and the sample data; the dependencies come from
# dpkg-shlibdeps.
#   installer/debian/make-deb.sh PROGRAM CHECKER OUTDIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$1
checker=$2
out=$3
for file in "$program" "$checker"; do
  [ -x "$file" ] || { echo "package: no program at $file (scripts/build linux)" >&2; exit 1; }
done
for tool in dpkg-deb dpkg-shlibdeps strip; do
  command -v $tool >/dev/null || { echo "package: $tool is missing (scripts/deps package)" >&2; exit 1; }
done

version=$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
arch=$(dpkg --print-architecture)
work=$(mktemp -d /tmp/zorbel-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
pkg=$work/zorbel

install -d "$pkg/DEBIAN" "$pkg/usr/libexec/xscreensaver" "$pkg/usr/libexec/xsecurelock" \
  "$pkg/usr/share/xscreensaver/config" "$pkg/usr/share/applications/screensavers" \
  "$pkg/usr/share/zorbel" "$pkg/usr/share/man/man6" "$pkg/usr/share/doc/zorbel" \
  "$pkg/usr/bin" "$pkg/usr/share/man/man1"
install -m 0755 "$program" "$pkg/usr/libexec/xscreensaver/zorbel"
install -m 0755 "$checker" "$pkg/usr/bin/zorbel-check"
strip --remove-section=.comment --remove-section=.note --strip-unneeded \
  "$pkg/usr/libexec/xscreensaver/zorbel" "$pkg/usr/bin/zorbel-check"
install -m 0755 "$here/saver_zorbel" "$pkg/usr/libexec/xsecurelock/saver_zorbel"
install -m 0644 "$here/zorbel.xml" "$pkg/usr/share/xscreensaver/config/zorbel.xml"
install -m 0644 "$here/zorbel.desktop" "$pkg/usr/share/applications/screensavers/zorbel.desktop"
gzip -9n <"$here/zorbel.6" >"$pkg/usr/share/man/man6/zorbel.6.gz"
gzip -9n <"$here/zorbel-check.1" >"$pkg/usr/share/man/man1/zorbel-check.1.gz"
install -m 0644 "$here/copyright" "$pkg/usr/share/doc/zorbel/copyright"
sed "s/@VERSION@/$version/" "$here/changelog" | gzip -9n >"$pkg/usr/share/doc/zorbel/changelog.gz"
for f in "$root"/data/sample/*; do
  case "$(basename "$f")" in error.log | shot*.bmp) continue ;; esac
  install -m 0644 "$f" "$pkg/usr/share/zorbel/"
done
chmod 0644 "$pkg"/usr/share/man/man6/* "$pkg"/usr/share/man/man1/* "$pkg"/usr/share/doc/zorbel/*

# dpkg-shlibdeps reads debian/control of the folder it runs in.
mkdir -p "$work/src/debian"
printf 'Source: zorbel\n\nPackage: zorbel\nArchitecture: any\n' >"$work/src/debian/control"
depends=$(cd "$work/src" && dpkg-shlibdeps -O -e"$pkg/usr/libexec/xscreensaver/zorbel" \
  -e"$pkg/usr/bin/zorbel-check" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "package: dpkg-shlibdeps found no dependencies" >&2; exit 1; }

size=$(du -k -s --exclude=DEBIAN "$pkg" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" \
  -e "s/@DEPENDS@/$depends/" "$here/control.in" >"$pkg/DEBIAN/control"
(cd "$pkg" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$pkg/DEBIAN/md5sums"
chmod 0644 "$pkg/DEBIAN/control" "$pkg/DEBIAN/md5sums"
find "$pkg" -type d -exec chmod 0755 {} +

mkdir -p "$out"
deb=$out/zorbel_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$pkg" "$deb" >/dev/null
echo "$deb"
