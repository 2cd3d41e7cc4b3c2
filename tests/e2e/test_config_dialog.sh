#!/usr/bin/env bash
# The configuration dialog of the real saver: what it shows, what OK writes,
# the questions and error boxes that keep it open, and Cancel.
. "$(dirname "$0")/lib.sh"
e2e_init
zreg_reset

D="Zorbel Screensaver Config"
probe() { ztool dialog_probe "$@"; }
VALUES=("Time Delay" "Display Logo" "Use Pellow" "Use ZB" "Use Random" "Use Original"
  "Use Official" "Per Pellow" "Per ZB" "Per Random" "Per Original" "Per Official"
  "Use Toasty" "Per Toasty" "Use Sound" "Logo Frames")

open_dialog() {
  zstart "$@"
  DPID=$ZPID
  probe wait "$D" 20 >/dev/null || fail "no dialog for $*"
}

# "id=text" for the edits and "id=check" for the check boxes, in dump order.
controls() {
  probe dump "$D" | awk -F'|' '$2 == "Edit" { printf "%s=%s ", $1, $4 }
    $2 == "Button" && $3 != -1 { printf "%s=%s ", $1, $3 }'
}
controls_are() { [ "$(controls)" = "$1" ]; }

# The 16 product values as one line of decimal numbers, "-" for a missing one.
stored() {
  local name value out=""
  for name in "${VALUES[@]}"; do
    value=$(zreg_query "$name")
    if [ -z "$value" ]; then out+="- "; else out+="$((value)) "; fi
  done
  echo "${out% }"
}

stored_are() { [ "$(stored)" = "$1" ]; }

# What OK stored, read again for a while: one reading of sixteen values has
# come back short once on a loaded machine.
expect_stored() { # values, what
  zpoll 30 stored_are "$1" || fail "$2: $(stored)"
}

expect_box() { # caption, text
  local box
  box=$(probe box "$1") || fail "no \"$1\" box"
  echo "$box" | grep -qxF "text=$2" || fail "box \"$1\" says: $box"
  echo "$box" | grep -qxF "owner=$D" || fail "box \"$1\" is not owned by the dialog: $box"
}

answer() { # caption, button id
  local handle
  handle=$(probe wait "$1" 5) || fail "no \"$1\" box to answer"
  probe press "$1" "$2"
  probe gone "$1" 10 "$handle" || fail "box \"$1\" stayed"
}

expect_open() {
  sleep 0.3 # nothing marks a close that should not come: time for it to come
  probe wait "$D" 2 >/dev/null || fail "dialog closed: $1"
  zalive "$DPID" || fail "saver ended: $1"
}

expect_end() { # what
  zwait "$DPID" 20
  local rc=$?
  [ "$rc" -eq 0 ] || fail "$1: exit code $rc"
}

DEFAULTS="1014=20 1016=1 1006=50 1017=0 1007=1 1018=40 1000=1 1004=3 1001=1 1005=1 1009=1 1008=24 1010=1 1012=1 1011=1 1013=4 1022=1 "

# --- With no product key: the defaults, the version line, focus on OK.
open_dialog /c
[ "$(controls)" = "$DEFAULTS" ] || fail "defaults shown as: $(controls)"
version=$(probe dump "$D" | awk -F'|' '$1 == 1020 { print $4 }')
case "$version" in
  "Zorbel Screensaver - version 2.20.03\\n"*"\\n"*) ;;
  *) fail "version text: $version" ;;
esac
[ "$(probe focus "$D")" = 1 ] || fail "focus starts on $(probe focus "$D")"
tab=$(probe tab "$D" | tr '\n' ' ')
[ "$tab" = "1 2 1014 1016 1006 1017 1007 1018 1000 1004 1001 1005 1009 1008 1010 1012 1011 1013 1021 1022 " ] ||
  fail "tab order: $tab"
# The picture shows: the figure's skin colour is on the screen.
zshot "$E2E_TMP/dialog.png"
skin=$(convert "$E2E_TMP/dialog.png" -fuzz 4% -fill white -opaque "rgb(255,210,160)" \
  -fill black +opaque white -format "%[fx:round(mean*w*h)]" info:)
[ "$skin" -gt 300 ] || fail "figure not on screen ($skin skin pixels)"
probe press "$D" 2
expect_end "Cancel"
[ "$(stored)" = "- - - - - - - - - - - - - - - -" ] || fail "Cancel wrote: $(stored)"

# --- Edited values reach the registry on OK; 0 is fine for timer and frames.
open_dialog /c
probe set "$D" 1014 0
probe set "$D" 1006 7
probe check "$D" 1017 1
probe check "$D" 1007 0
probe set "$D" 1018 0
probe set "$D" 1004 11
probe check "$D" 1001 0
probe set "$D" 1005 12
probe set "$D" 1008 13
probe check "$D" 1010 0
probe set "$D" 1012 14
probe set "$D" 1013 15
probe check "$D" 1016 0
probe check "$D" 1022 0
probe press "$D" 1
expect_end "OK with edits"
expect_stored "0 0 0 1 1 0 1 12 11 13 14 15 0 7 1 0" "OK wrote"
[ "$(zreg_query EveryMonitor)" = 0x0 ] || fail "OK wrote EveryMonitor $(zreg_query EveryMonitor)"
[ -z "$(zreg_query Directory)" ] || fail "OK wrote a Directory"

# --- The questions and the six errors, in order; each refusal keeps the
# dialog open and writes nothing.
zreg_reset
open_dialog /c
for id in 1000 1001 1009 1010 1011; do probe check "$D" "$id" 0; done
Q1="This will not display any comics (Zorbel and Pellow are both deselected).  Continue anyway?"
Q2="This will not display any comics (All 3 types deselected).  Continue anyway?"
probe press "$D" 1
expect_box Query "$Q1"
answer Query 7
expect_open "No to the first question"
probe press "$D" 1
expect_box Query "$Q1"
answer Query 6
expect_box Query "$Q2"
answer Query 7
expect_open "No to the second question"
[ "$(stored)" = "- - - - - - - - - - - - - - - -" ] || fail "a refused OK wrote: $(stored)"
for id in 1000 1001 1009 1010 1011; do probe check "$D" "$id" 1; done
# Popups off does not excuse a zero chance; an emptied box counts as 0.
probe check "$D" 1016 0
probe set "$D" 1006 ""
for id in 1004 1005 1008 1012 1013; do probe set "$D" "$id" 0; done
for step in "1006 Popup Chance" "1004 Zorbel Frequency" "1005 Pellow Frequency" \
  "1008 Random Frequency" "1012 Original Frequency" "1013 Official Frequency"; do
  id=${step%% *}
  probe press "$D" 1
  expect_box Error "The ${step#* } must be greater than zero"
  answer Error 1
  expect_open "error for ${step#* }"
  probe set "$D" "$id" 2
done
probe press "$D" 1
expect_end "OK after the corrections"
expect_stored "20 1 1 1 1 1 1 2 2 2 2 2 0 2 0 40" "corrected OK wrote"

# --- Restore Defaults then Cancel leaves the registry; then OK writes defaults.
zreg_reset
zreg_set "Time Delay" REG_DWORD 5
zreg_set "Per ZB" REG_DWORD 9
zreg_set "Use Sound" REG_DWORD 1
zreg_set EveryMonitor REG_DWORD 0
zreg_set Directory REG_SZ 'c:\comics'
open_dialog /c
controls | grep -q "1014=5 .*1017=1 .*1004=9 .*1022=0 " || fail "stored values shown as: $(controls)"
probe press "$D" 1021
zpoll 10 controls_are "$DEFAULTS" || fail "Restore Defaults shows: $(controls)"
probe press "$D" 2
expect_end "Cancel after Restore Defaults"
[ "$(stored)" = "5 - - - - - - - 9 - - - - - 1 -" ] || fail "Cancel after Restore wrote: $(stored)"
open_dialog /c
probe press "$D" 1021
zpoll 10 controls_are "$DEFAULTS" || fail "Restore Defaults shows: $(controls)"
probe press "$D" 1
expect_end "OK after Restore Defaults"
expect_stored "20 1 1 1 1 1 1 1 3 24 1 4 1 50 0 40" "Restore and OK wrote"
[ "$(zreg_query EveryMonitor)" = 0x1 ] || fail "Restore and OK wrote EveryMonitor $(zreg_query EveryMonitor)"
[ "$(zreg_query Directory)" = 'c:\comics' ] || fail "Directory changed: $(zreg_query Directory)"

# --- The 32-bit limit: the largest value survives a plain OK; anything
# larger reads as 0, which the timer accepts and a frequency refuses.
zreg_reset
zreg_set "Time Delay" REG_DWORD 0xffffffff
zreg_set "Per Toasty" REG_DWORD 0xffffffff
open_dialog /c
controls | grep -q "1014=4294967295 1016=1 1006=4294967295 " || fail "limits shown as: $(controls)"
probe press "$D" 1
expect_end "OK with the largest values"
expect_stored "4294967295 1 1 1 1 1 1 1 3 24 1 4 1 4294967295 0 40" "largest values saved as"
open_dialog /c
probe set "$D" 1014 4294967296
probe set "$D" 1013 "$(head -c 3000 /dev/zero | tr '\0' 9)"
probe press "$D" 1
expect_box Error "The Official Frequency must be greater than zero"
answer Error 1
expect_open "an overlong frequency"
probe set "$D" 1013 4294967295
probe press "$D" 1
expect_end "OK after an overflowing timer"
expect_stored "0 1 1 1 1 1 1 1 3 24 1 4294967295 1 4294967295 0 40" "overflowing timer saved as"

# --- Escape cancels through the dialog manager.
zreg_reset
open_dialog /c
# Without a window manager the dialog may take a moment to get the keyboard
# focus on a busy machine; a key pressed before that goes nowhere, so the
# key is pressed again until the dialog ends.
escape_ends() {
  xdotool search --name "^$D\$" windowfocus 2>/dev/null || true
  zkey Escape
  zwait "$DPID" 4
  rc=$?
  [ "$rc" -ne 124 ]
}
zpoll 30 escape_ends
[ "$rc" -eq 0 ] || fail "Escape: exit code $rc"
[ "$(stored)" = "- - - - - - - - - - - - - - - -" ] || fail "Escape wrote: $(stored)"

e2e_pass
