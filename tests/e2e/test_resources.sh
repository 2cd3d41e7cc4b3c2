#!/usr/bin/env bash
# The resources compiled into zorbel.scr: the dialog template control by
# control (the template order is the tab order), the pictures, the icon,
# the display name, the version and the manifest.
. "$(dirname "$0")/lib.sh"
e2e_init

actual="$E2E_TMP/resources.txt"
ztool resource_dump "$(zwinpath "$ZORBEL_SCR")" >"$actual" || fail "resource_dump failed"
FREQ="The Frequency number is a measure of how often a given category of comic will appear.  The randomizer totals up all of the frequencies in a given place and uses that sum to determine the chance of a comic appearing."
# WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT
diff -u - "$actual" <<EOF2 || fail "resources differ"
dialog 101 style=80c808c0 size=233,366 caption=Zorbel Screensaver Config menu= class=
font 8 MS Sans Serif
control 1 default-button+tab 113,329,50,14 "OK"
control 2 button+tab 171,329,50,14 "Cancel"
control 1014 edit+number+hscroll+tab 17,92,40,14 ""
control 1016 auto-check+tab 17,117,40,10 "Popups"
control 1006 edit+number+hscroll+tab 128,113,40,14 ""
control 1017 auto-check+tab 17,131,37,10 "Sound"
control 1007 auto-check+tab 17,145,123,10 "Display Zorbel Logo every"
control 1018 edit+number+hscroll+tab 140,141,40,14 ""
control 1000 auto-check+tab 17,170,99,10 "Use Zorbel comics"
control 1004 edit+number+hscroll+tab 165,166,40,14 ""
control 1001 auto-check+tab 17,183,75,10 "Use Pellow comics"
control 1005 edit+number+hscroll+tab 165,180,40,14 ""
control 1009 auto-check+tab 17,229,82,10 "Use Random Comics"
control 1008 edit+number+hscroll+tab 165,223,40,14 ""
control 1010 auto-check+tab 17,242,79,10 "Use Custom Comics"
control 1012 edit+number+hscroll+tab 165,238,40,14 ""
control 1011 auto-check+tab 17,255,77,10 "Use Official Comics"
control 1013 edit+number+hscroll+tab 165,251,40,14 ""
control 1021 button+tab 47,329,60,14 "Restore Defaults"
control 1022 auto-check+tab 17,349,110,10 "Comics on every monitor"
control -1 picture 81,13,71,38 "#105"
control 1020 centred+sunken 14,58,204,29 ""
control -1 group 11,157,208,44 "Comic Type Usage"
control -1 group 11,215,208,55 "Generator Usage"
control -1 label 63,96,80,8 "Display timer (in seconds)"
control -1 label 63,117,62,8 "Popup Chance:  1/"
control -1 label 183,146,22,8 "frames"
control -1 label 121,171,36,8 "Frequency:"
control -1 label 121,183,36,8 "Frequency:"
control -1 label 121,230,36,8 "Frequency:"
control -1 label 121,243,36,8 "Frequency:"
control -1 label 121,255,36,8 "Frequency:"
control -1 centred+sunken 12,272,208,53 "$FREQ"
bitmap 102 278x180 bits=8 colours=256
bitmap 105 107x62 bits=8 colours=256
icon 103 32x32 colours=16 bits=4
icon 103 16x16 colours=16 bits=4
string 1 "Zorbel"
version file=2.20.3.0
version FileVersion=2.20.03
version ProductVersion=2.20.03
version ProductName=Zorbel Screensaver
manifest dpiAware=1 common-controls-6=1 asInvoker=1
EOF2

# The manifest asks for version 6 of the controls: the saver must then load
# that library itself, or the dialog and its message boxes may not appear.
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump || true)
if [ -n "$objdump" ]; then
  "$objdump" -p "$ZORBEL_SCR" | grep -qi 'DLL Name: comctl32' || fail "comctl32 is not imported"
fi

# The committed pictures are what the drawing script makes.
if command -v python3 >/dev/null 2>&1; then
  copy="$E2E_TMP/tree"
  mkdir -p "$copy/tools" "$copy/resources"
  cp "$E2E_ROOT/tools/make_resources.py" "$E2E_ROOT/tools/sample_art.py" "$copy/tools/"
  python3 "$copy/tools/make_resources.py" >/dev/null || fail "make_resources.py failed"
  for file in logo.bmp figure.bmp zorbel.ico; do
    cmp -s "$copy/resources/$file" "$E2E_ROOT/resources/$file" || fail "$file is not what the script draws"
  done
fi

e2e_pass
