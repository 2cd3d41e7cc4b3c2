#!/usr/bin/env bash
# The dialog's owner: a real window owns it and may close under it; numbers
# that are no windows open it without an owner. Every run ends with 0.
. "$(dirname "$0")/lib.sh"
e2e_init
zreg_reset

D="Zorbel Screensaver Config"
probe() { ztool dialog_probe "$@"; }

# An owner window that goes away while the dialog is open.
out="$E2E_TMP/host.txt"
ztool_start preview_host 200 150 10 10 4000 >"$out"
HPID=$ZPID
zpoll 10 test -s "$out"
host=$(head -n 1 "$out" | tr -d '\r')
[ -n "$host" ] || fail "no host window"
zstart /c "$host"
DPID=$ZPID
box=$(probe box "$D") || fail "no dialog owned by $host"
echo "$box" | grep -qxF "owner=Preview Host" || fail "owner of the dialog: $box"
zwait "$HPID" 20 || fail "host did not end"
sleep 0.5 # nothing marks a close that should not come: time for it to come
probe wait "$D" 2 >/dev/null || fail "dialog gone with its owner"
probe set "$D" 1014 33
probe press "$D" 1
zwait "$DPID" 20
rc=$?
[ "$rc" -eq 0 ] || fail "OK after the owner closed: exit code $rc"
[ "$(zreg_query "Time Delay")" = 0x21 ] || fail "OK after the owner closed wrote $(zreg_query "Time Delay")"

for number in 12345 -5 99999999999 2147483647 -2147483648; do
  zstart /c "$number"
  DPID=$ZPID
  box=$(probe box "$D") || fail "no dialog for /c $number"
  echo "$box" | grep -qxF "owner=" || fail "/c $number: $box"
  probe press "$D" 2
  zwait "$DPID" 20
  rc=$?
  [ "$rc" -eq 0 ] || fail "/c $number: exit code $rc"
done

e2e_pass
