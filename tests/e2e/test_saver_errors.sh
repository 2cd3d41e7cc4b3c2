#!/usr/bin/env bash
# Failures under the real saver, with the logo shown after every comic so
# that each step can be told from the one before: comic, logo, comic.
# A template whose panel category is missing: the error picture and the
# message on a blacked-out screen, also after the logo; error.log holds the
# header and one "Error #3" line per strip, CR LF, nothing else.
# A missing panel picture: the error over the screen as it was (the logo
# stays around it); error.log names the file as measured and as loaded, then
# "Strip Error.", per strip.
# No comics.ini: the error picture with the reason, also after Enter; F1
# saves nothing, a key ends the saver, error.log holds the header and the
# reason. A mouse click ends the first run, a key the others.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/saver_data.sh"
. "$(dirname "$0")/saver_checks.sh"
e2e_init

NOW=$E2E_TMP/now.png
zsaver_defaults
zreg_set "Display Logo" REG_DWORD 1
zreg_set "Logo Frames" REG_DWORD 1
zreg_set_platform "Password Delay" REG_DWORD 100000

# Runs the saver on a data folder and measures its screen.
run_on() { # data folder
  zset_data_dir "$1"
  zstart /s
  saver=$ZPID
  zshot "$NOW"
  read -r SW SH <<<"$(zscreen_size "$NOW")"
  # Where the error picture (100 x 60) and the logo (278 x 180) go.
  EX=$(((SW - 120) / 2))
  EY=$(((SH - 80) / 2))
  LX=$(((SW - 278) / 2))
  LY=$(((SH - 180) / 2))
  TEXT="400x30+$(((SW - 400) / 2))+$((EY + 63))"
}

end_saver() { # click|key
  if [ "$1" = click ]; then zclick; else zkey Escape; fi
  zwait "$saver" 20
  local rc=$?
  [ "$rc" = 0 ] || fail "a key did not end the saver (status $rc)"
}

error_alone() { # the error picture and its message on a black screen
  local data=$1 h y
  zshot "$NOW"
  zsame_at "$NOW" "$data/error.pcx" "$EX" "$EY" || return 1
  [ "$(zbright "$NOW" "$TEXT")" -ge 20 ] || return 1
  read -r _ h _ y <<<"$(zbbox "$NOW")"
  [ "$y" = "$EY" ] && [ $((y + h)) -le $((EY + 100)) ]
}

logo_alone() {
  zshot "$NOW"
  zsame_at "$NOW" "$1/ZBLogo.pcx" "$LX" "$LY" && [ "$(zbbox "$NOW")" = "278 180 $LX $LY" ]
}

error_over_logo() {
  local data=$1
  zshot "$NOW"
  zsame_at "$NOW" "$data/error.pcx" "$EX" "$EY" || return 1
  [ "$(zbright "$NOW" "$TEXT")" -ge 20 ] || return 1
  # The logo's top rows are untouched and nothing else is lit.
  convert "$data/ZBLogo.pcx" -crop 278x40+0+0 +repage "$E2E_TMP/logo-top.png"
  zsame_at "$NOW" "$E2E_TMP/logo-top.png" "$LX" "$LY" && [ "$(zbbox "$NOW")" = "278 180 $LX $LY" ]
}

# --- A missing category
data=$(ztmp)
zdata_basic "$data"
zstrip_template "$data/nocat.txt" nowhere p3.pcx
printf 'random\r\nnocat.txt\r\n' >"$data/comics.ini"
run_on "$data"
zpoll 20 error_alone "$data" || fail "missing category: no error display at the start"
zkey Return
zpoll 20 logo_alone "$data" || fail "missing category: no logo after Enter"
zkey Return
zpoll 20 error_alone "$data" || fail "missing category: the second error was not on a black screen"
end_saver click
missing="Error #3: Couldn't find the category nowhere in seekTo()."
zfile_is "$data/error.log" "$LOG_HEADER" "$missing" "$missing" || fail "missing category: error.log"

# --- A missing panel picture
data=$(ztmp)
zdata_basic "$data"
zstrip_template "$data/gone.txt" first gone.pcx
printf 'random\r\ngone.txt\r\n' >"$data/comics.ini"
run_on "$data"
zpoll 20 error_alone "$data" || fail "missing picture: no error display at the start"
zkey Return
zpoll 20 logo_alone "$data" || fail "missing picture: no logo after Enter"
zkey Return
zpoll 20 error_over_logo "$data" || fail "missing picture: the error was not drawn over the logo"
end_saver key
path="$(zwinpath "$data")\\gone.pcx"
zfile_is "$data/error.log" "$LOG_HEADER" \
  "gone.pcx: Unable to open file" "$path: Unable to open file" "Strip Error." \
  "gone.pcx: Unable to open file" "$path: Unable to open file" "Strip Error." ||
  fail "missing picture: error.log"

# --- No comics.ini
data=$(ztmp)
zdata_basic "$data"
run_on "$data"
zpoll 20 error_alone "$data" || fail "no catalogue: no error picture with the reason"
zkey Return
zkey F1
# Nothing marks a shot that should not come: time for it to come.
sleep 1.5
error_alone "$data" || fail "no catalogue: Enter put up something else"
[ ! -e "$data/shot0000.bmp" ] || fail "no catalogue: F1 saved a screenshot"
zsaver_window || fail "no catalogue: Enter or F1 ended the saver"
end_saver key
zfile_is "$data/error.log" "$LOG_HEADER" "$(zwinpath "$data")\\comics.ini: Unable to open file" ||
  fail "no catalogue: error.log"
e2e_pass
