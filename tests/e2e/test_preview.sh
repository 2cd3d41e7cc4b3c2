#!/usr/bin/env bash
# The preview: a child of the given window of the same size, the picture
# stretched into it on a timer, the run ending with 0 when the parent lets go;
# and the stand-alone preview tool found or started by "/p scrprev".
. "$(dirname "$0")/lib.sh"
e2e_init
zreg_reset

# Starts a host window; its handle in HOST, its output in HOST_OUT.
start_host() { # width height x y lifetime [scrprev]
  HOST_OUT=$(mktemp "$E2E_TMP/host.XXXXXX")
  ztool_start preview_host "$@" >"$HOST_OUT"
  HPID=$ZPID
  zpoll 10 test -s "$HOST_OUT"
  HOST=$(head -n 1 "$HOST_OUT" | tr -d '\r')
  [ -n "$HOST" ] || fail "no host window"
}

# The run lasts as long as its parent, then ends with 0.
expect_life() { # what, saver PID, host PID
  sleep 1 # nothing marks an end that should not come: time for it to come
  zalive "$2" || fail "$1: preview ended before its parent"
  zwait "$3" 20 || fail "$1: host did not end"
  zwait "$2" 10
  local rc=$?
  [ "$rc" -eq 0 ] || fail "$1: exit code $rc"
}

# --- A 152x112 parent gets a child of the same size.
start_host 152 112 100 100 3000
zstart /p "$HOST"
SPID=$ZPID
# The mouse over the preview ends nothing.
zmove 150 150
zmove 170 160
expect_life "152x112 parent" "$SPID" "$HPID"
grep -q "^child ScrClass SaverPreview 152x112" "$HOST_OUT" || fail "child: $(tail -n 1 "$HOST_OUT")"

# --- The drawing. A child of another process's window is not composed onto
# the screen under Wine, so the picture is checked with the desktop as the
# parent: the child covers the screen with the picture scaled up.
read -r width height < <(xdpyinfo 2>/dev/null | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
expected="$E2E_TMP/expected.png"
convert "$E2E_ROOT/resources/logo.bmp" -sample "${width}x${height}!" "$expected"
matches() { # screenshot: fewer than 5% of the pixels differ from the picture
  local diff
  diff=$(compare -metric AE -fuzz 12% "$1" "$expected" null: 2>&1)
  diff=${diff%% *}
  [ "${diff%.*}" -lt $((width * height / 20)) ]
}
shown() { zshot "$E2E_TMP/preview.png" && matches "$E2E_TMP/preview.png"; }
desktop=$(ztool preview_host desktop)
zstart /p "$desktop"
SPID=$ZPID
zpoll 20 shown || fail "the picture is not on the screen"
zalive "$SPID" || fail "preview into the desktop ended"
# Covered and uncovered again, it is back within a few ticks.
start_host 300 300 50 50 600
zwait "$HPID" 10 || fail "cover did not end"
sleep 0.5 # the few ticks it is given
zshot "$E2E_TMP/again.png"
matches "$E2E_TMP/again.png" || fail "the picture did not come back"
ztool preview_host close || fail "no preview window to close"
zwait "$SPID" 10
rc=$?
[ "$rc" -eq 0 ] || fail "closed preview: exit code $rc"

# --- The preview tool already running: its first child is the parent.
start_host 152 112 200 200 3000 scrprev
zstart /p scrprev
expect_life "running preview tool" "$ZPID" "$HPID"
grep -q "^child ScrClass SaverPreview 152x112" "$HOST_OUT" || fail "tool child: $(tail -n 1 "$HOST_OUT")"

# --- The tool not running: it is started from the usual program search
# (here the current folder) and waited for.
tooldir=$(ztmp)
cp "$ZORBEL_TOOLS_DIR/scrprev_stub_gui.exe" "$tooldir/Scrprev.exe"
ZSTART_IN=$tooldir zstart /p scrprev
SPID=$ZPID
sleep 1.5 # nothing marks an end that should not come: time for it to come
zalive "$SPID" || fail "started tool: preview ended at once"
zwait "$SPID" 15
rc=$?
[ "$rc" -eq 0 ] || fail "started tool: exit code $rc"

e2e_pass
