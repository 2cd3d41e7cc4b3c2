#!/usr/bin/env bash
# The installer from scripts/package, run for real: silently into fresh
# prefixes of both widths, with the default folder and with another one.
# Each time the saver must be where the display settings look for screen
# savers, of the system's own width, start from there with "/s" and no
# "Directory" of the user's, and show the sample comics. Installing again
# keeps the user's files; the uninstaller takes away what it put there and
# leaves screenshots. The zip holds both savers, the data and INSTALL.txt.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/saver_checks.sh"
e2e_init

for tool in makensis zip unzip; do
  command -v $tool >/dev/null || fail "$tool is missing (scripts/deps test installs it)"
done
x86=$(dirname "$ZORBEL_SCR")/../x86/zorbel.scr
x64=$(dirname "$ZORBEL_SCR")/../x64/zorbel.scr
[ -f "$x86" ] && [ -f "$x64" ] || fail "both savers are needed: $x86 $x64"
work=$(ztmp)
ZORBEL_PACKAGE_X86=$x86 ZORBEL_PACKAGE_X64=$x64 ZORBEL_PACKAGE_OUT=$work \
  bash "$E2E_ROOT/scripts/package" 2>"$work/package.log" || {
  cat "$work/package.log" >&2
  fail "scripts/package failed"
}
setup=$work/zorbel-setup.exe
[ -s "$setup" ] || fail "no installer"
# The installer that ships carries both savers, byte for byte.
command -v 7z >/dev/null || fail "7z is missing (scripts/deps test installs it)"
(cd "$work" && 7z e -aou -o"$work/carried" "$setup" '$SYSDIR/*' >/dev/null 2>&1) ||
  fail "cannot unpack the installer"
for scr in "$x86" "$x64"; do
  found=0
  for f in "$work/carried"/*; do cmp -s "$f" "$scr" && found=1; done
  [ "$found" = 1 ] || fail "the installer lacks $scr"
done

# Where 32-bit programs cannot run (see scripts/wine-env.sh), the 64-bit
# prefix gets a 64-bit installer made from the same script, and there is
# no 32-bit prefix.
setup64=$setup
if ! zorbel_runs_32bit; then
  mkdir -p "$work/amd64"
  ZORBEL_INSTALLER_TARGET=amd64-unicode ZORBEL_PACKAGE_X86=$x86 ZORBEL_PACKAGE_X64=$x64 \
    ZORBEL_PACKAGE_OUT=$work/amd64 bash "$E2E_ROOT/scripts/package" 2>"$work/package64.log" ||
    fail "no 64-bit installer: $(cat "$work/package64.log")"
  setup64=$work/amd64/zorbel-setup.exe
fi

zip=$work/zorbel.zip
list=$(unzip -Z1 "$zip") || fail "no zip"
for want in zorbel/x86/zorbel.scr zorbel/x64/zorbel.scr zorbel/INSTALL.txt zorbel/data/comics.ini \
  zorbel/data/ZBLogo.pcx zorbel/data/error.pcx; do
  grep -qxF "$want" <<<"$list" || fail "the zip lacks $want"
done

sample_files=()
for f in "$E2E_ROOT"/data/sample/*; do
  case "$(basename "$f")" in error.log | shot*.bmp) continue ;; esac
  sample_files+=("$(basename "$f")")
done

machine_of() { # PE machine field of a program: 0x14c i386, 0x8664 x86-64
  python3 -c 'import struct,sys
b=open(sys.argv[1],"rb").read(); o=struct.unpack_from("<I",b,60)[0]
print(hex(struct.unpack_from("<H",b,o+4)[0]))' "$1"
}

# Runs a Windows program in the prefix P (set by the caller).
pwin() { WINEPREFIX=$P "$ZORBEL_WINE" "$@" </dev/null 2>/dev/null; }
preg() { pwin reg "$@" | tr -d '\r'; }
unix_of() { WINEPREFIX=$P "$ZORBEL_WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

new_prefix() { # WINEARCH (win32 or win64); sets P and PARCH
  P=$(ztmp)
  PARCH=$1
  WINEARCH=$1 WINEPREFIX=$P "$ZORBEL_WINE" wineboot -i >/dev/null 2>&1 </dev/null ||
    fail "$1: no prefix"
  E2E_PREFIXES+=("$P")
}
E2E_PREFIXES=()
stop_prefixes() {
  local p
  for p in "${E2E_PREFIXES[@]}"; do WINEPREFIX=$p "$ZORBEL_WINESERVER" -k 2>/dev/null || true; done
}
trap 'stop_prefixes; e2e_cleanup' EXIT

install() { # label, extra installer arguments...
  local label=$1
  shift
  cp "$SETUP" "$P/drive_c/zorbel-setup.exe"
  pwin 'C:\zorbel-setup.exe' /S "$@" || fail "$label: the installer failed"
}

shot_saved() { ls "$1"/shot*.bmp >/dev/null 2>&1; } # in the folder

# The installed saver, started as the platform starts it, shows comics from
# the installed folder; F1 saves one there. Prints nothing; fails on error.
run_installed() { # label, Windows folder of the data
  local label=$1 data
  data=$(unix_of "$2")
  ! pwin reg query 'HKCU\Software\Quenwick\Zorbel Screensaver' /v Directory >/dev/null ||
    fail "$label: the user has a Directory value"
  # 64-bit Windows starts a saver of System32 in a 64-bit process; Wine's
  # default launcher may be a 32-bit one, to which System32 is SysWOW64.
  local loader=$ZORBEL_WINE
  [ "$PARCH" = win64 ] && loader=$(zorbel_wine64_bin)
  WINEPREFIX=$P ZORBEL_WINE=$loader ZORBEL_SCR='C:\windows\system32\zorbel.scr' zstart /s
  local pid=$ZPID
  local shot=$E2E_TMP/$label.png lit=0
  # Popups are not saved by F1; another item comes with Enter. Any other
  # item is saved at once.
  for _ in 1 2 3 4 5 6; do
    zkey F1
    zpoll 3 shot_saved "$data" && break
    zkey Return
  done
  zshot "$shot"
  lit=$(convert "$shot" -threshold 10% -format '%[fx:round(mean*100000)]' info:)
  zkey a
  zwait "$pid" 20 || fail "$label: the saver did not end"
  [ "$lit" -gt 1000 ] || fail "$label: nothing shown (lit $lit)"
  ls "$data"/shot*.bmp >/dev/null 2>&1 || fail "$label: F1 saved nothing in $2"
  [ -f "$data/error.log" ] || fail "$label: no error.log in $2"
  if grep -aq -e 'Unable' -e 'Error' -e 'not recognized' "$data/error.log"; then
    fail "$label: error.log: $(tr -d '\r' <"$data/error.log")"
  fi
}

check_installed() { # label, Windows folder, expected machine of the saver
  local label=$1 data scr
  data=$(unix_of "$2")
  scr=$P/drive_c/windows/system32/zorbel.scr
  [ -f "$scr" ] || fail "$label: no saver in the system folder"
  [ "$(machine_of "$scr")" = "$3" ] || fail "$label: the saver is not for $3"
  [ ! -e "$P/drive_c/windows/syswow64/zorbel.scr" ] || fail "$label: a saver in syswow64"
  local f
  for f in "${sample_files[@]}"; do
    cmp -s "$data/$f" "$E2E_ROOT/data/sample/$f" || fail "$label: $f not installed in $2"
  done
  [ -f "$data/uninstall.exe" ] || fail "$label: no uninstaller"
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZorbelScreensaver'
  # The 32-bit installer writes the 32-bit view, a 64-bit one its own.
  { preg query "$key" /v UninstallString /reg:32; preg query "$key" /v UninstallString /reg:64; } |
    grep -qiF "$2\\uninstall.exe" || fail "$label: no uninstall entry"
  local view
  for view in /reg:32 /reg:64; do
    [ "$3" = 0x14c ] && [ $view = /reg:64 ] && continue
    preg query 'HKLM\Software\Quenwick\Zorbel Screensaver' /v Directory $view |
      grep -qiF "$2" || fail "$label: the folder is not recorded for every user ($view)"
  done
}

uninstall() { # label, Windows folder
  local label=$1 data view
  data=$(unix_of "$2")
  pwin "$2\\uninstall.exe" /S || fail "$label: the uninstaller failed"
  # The uninstaller goes on in a copy of itself after the program started
  # has ended.
  zpoll 60 test ! -e "$data/uninstall.exe" || fail "$label: the uninstaller left itself"
  zpoll 30 test ! -e "$P/drive_c/windows/system32/zorbel.scr" ||
    fail "$label: the saver is still installed"
  local f
  for f in "${sample_files[@]}" error.log; do
    [ ! -e "$data/$f" ] || fail "$label: $f left behind"
  done
  ls "$data"/shot*.bmp >/dev/null 2>&1 || fail "$label: the screenshots went with it"
  for view in /reg:32 /reg:64; do
    ! pwin reg query 'HKLM\Software\Quenwick\Zorbel Screensaver' /v Directory $view >/dev/null ||
      fail "$label: the folder is still recorded ($view)"
  done
}

default='C:\Program Files\Quenwick\Zorbel Screensaver'

# 64-bit Windows: the 64-bit saver; the default folder, then again over it.
SETUP=$setup64
new_prefix win64
install win64
check_installed win64 "$default" 0x8664
run_installed win64 "$default"
data=$(unix_of "$default")
echo mine >"$data/my-notes.txt"
install win64-again
check_installed win64-again "$default" 0x8664
[ "$(cat "$data/my-notes.txt")" = mine ] || fail "win64-again: the user's file is gone"
ls "$data"/shot*.bmp >/dev/null 2>&1 || fail "win64-again: the screenshots are gone"
run_installed win64-again "$default"
uninstall win64 "$default"
[ -f "$data/my-notes.txt" ] || fail "win64: the uninstaller took the user's file"

# Another folder, chosen at install time, reaches the saver.
other='C:\Comics\Zorbel'
install win64-other "/D=$other"
check_installed win64-other "$other" 0x8664
run_installed win64-other "$other"
uninstall win64-other "$other"

# 32-bit Windows: the 32-bit saver.
if ! zorbel_runs_32bit; then
  echo "not run: the 32-bit prefix (this machine runs no 32-bit programs)"
  e2e_pass
fi
SETUP=$setup
new_prefix win32
install win32
check_installed win32 "$default" 0x14c
run_installed win32 "$default"
uninstall win32 "$default"

e2e_pass
