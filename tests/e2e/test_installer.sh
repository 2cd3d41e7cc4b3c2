#!/usr/bin/env bash
# The installer and the zip from scripts/package. This machine cannot run
# the 32-bit installer, so its contents are checked with 7z: the 32-bit
# saver for the system folder, every sample file for the data folder, the
# uninstaller; and the zip holds both savers, the data and INSTALL.txt.
. "$(dirname "$0")/lib.sh"

for tool in makensis 7z zip unzip; do
  command -v $tool >/dev/null || fail "$tool is missing (scripts/deps test installs it)"
done
scr=${ZORBEL_SCR:-$E2E_ROOT/build/x64/zorbel.scr}
x64=$scr
x86=$(dirname "$scr")/../x86/zorbel.scr
[ -f "$x86" ] || fail "no 32-bit saver at $x86"
work=$(mktemp -d /tmp/zorbel-installer.XXXXXX)
trap 'rm -rf "$work"' EXIT

ZORBEL_PACKAGE_X86=$x86 ZORBEL_PACKAGE_X64=$x64 ZORBEL_PACKAGE_OUT=$work \
  bash "$E2E_ROOT/scripts/package" 2>"$work/package.log" || {
  cat "$work/package.log" >&2
  fail "scripts/package failed"
}
setup=$work/zorbel-setup.exe
[ -s "$setup" ] || fail "no installer"
[ "$(head -c 2 "$setup")" = MZ ] || fail "the installer is no Windows program"

7z l -slt "$setup" >"$work/list.txt" 2>&1 || fail "7z cannot read the installer"
paths=$(sed -n 's/^Path = //p' "$work/list.txt" | tr -d '\r')
grep -q '^SubType = NSIS' "$work/list.txt" || fail "not an NSIS installer"
grep -qx '\$SYSDIR/zorbel.scr' <<<"$paths" || fail "no zorbel.scr for the system folder"
grep -qx 'uninstall.exe' <<<"$paths" || fail "no uninstaller"
for f in "$E2E_ROOT"/data/sample/*; do
  name=$(basename "$f")
  case "$name" in error.log | shot*.bmp) continue ;; esac
  grep -qxF "$name" <<<"$paths" || fail "the installer lacks $name"
done
grep -q 'error.log\|shot[0-9]' <<<"$paths" && fail "the installer carries run-time files"

# The saver inside is the 32-bit build, byte for byte.
(cd "$work" && 7z e -y -o"$work/x" "$setup" '$SYSDIR/zorbel.scr' >/dev/null) ||
  fail "cannot unpack zorbel.scr"
cmp -s "$work/x/zorbel.scr" "$x86" || fail "the installed saver is not the 32-bit build"
machine=$(python3 -c 'import struct,sys
b=open(sys.argv[1],"rb").read(); o=struct.unpack_from("<I",b,60)[0]
print(hex(struct.unpack_from("<H",b,o+4)[0]))' "$work/x/zorbel.scr")
[ "$machine" = 0x14c ] || fail "the installed saver is not for i386 ($machine)"
# One sample picture unpacked equals the committed one.
(cd "$work" && 7z e -y -o"$work/x" "$setup" ZBLogo.pcx >/dev/null) || fail "cannot unpack ZBLogo.pcx"
cmp -s "$work/x/ZBLogo.pcx" "$E2E_ROOT/data/sample/ZBLogo.pcx" || fail "ZBLogo.pcx differs"

zip=$work/zorbel.zip
[ -s "$zip" ] || fail "no zip"
list=$(unzip -Z1 "$zip")
for want in zorbel/x86/zorbel.scr zorbel/x64/zorbel.scr zorbel/INSTALL.txt zorbel/data/comics.ini \
  zorbel/data/ZBLogo.pcx zorbel/data/error.pcx; do
  grep -qxF "$want" <<<"$list" || fail "the zip lacks $want"
done
e2e_pass
