#!/usr/bin/env bash
# The bundled sample data under the real saver: many forced steps (Enter)
# through comics, strips, popups and the logo; no strip may fail (a speech
# text out of its panel, a panel that does not load) and nothing may be
# reported in error.log; the screen shows something after the steps.
. "$(dirname "$0")/lib.sh"
e2e_init

steps=${ZORBEL_SAMPLE_STEPS:-80}
data=$(ztmp)
cp "$E2E_ROOT"/data/sample/* "$data/"
rm -f "$data/error.log"

zreg_reset
zset_data_dir "$data"
zreg_set "Time Delay" REG_DWORD 0
zreg_set "Use Sound" REG_DWORD 0
zreg_set "Per Toasty" REG_DWORD 4
zreg_set "Logo Frames" REG_DWORD 9
zreg_set_platform "Mouse Threshold" REG_DWORD 50
zreg_set_platform "Password Delay" REG_DWORD 15

zstart /s
saver=$ZPID

lit=0
for i in $(seq 1 "$steps"); do
  zkey Return
  sleep 0.25 # a person's pace: a step need not change the screen, nothing marks it
  zalive "$saver" || fail "the saver ended at step $i"
  if [ $((i % 20)) -eq 0 ]; then
    zshot "$E2E_TMP/step$i.png"
    mean=$(convert "$E2E_TMP/step$i.png" -colorspace Gray -format '%[fx:mean>0.005?1:0]' info: 2>/dev/null)
    [ "$mean" = 1 ] && lit=$((lit + 1))
  fi
done
[ "$lit" -gt 0 ] || fail "the screen stayed black through $steps steps"

zkey Escape
zwait "$saver" 20
rc=$?
[ "$rc" = 0 ] || fail "the saver did not end cleanly on a key (status $rc)"

[ -f "$data/error.log" ] || fail "no error.log"
log=$(tr -d '\r' <"$data/error.log")
for bad in "Strip Error." "Error #" "Unable to" "not recognized" "Invalid file format"; do
  if grep -qF "$bad" <<<"$log"; then
    echo "$log" >&2
    fail "error.log reports \"$bad\""
  fi
done
e2e_pass
