#!/usr/bin/env bash
# The web page against the Linux saver on the same machine and data:
# bench/web_bench.py (page load, forced step to strip at 1920 x 1080,
# Chromium's CPU between items), the Linux saver's forced step at the same
# size (bench/x11_step_time.c, as bench/linux_bench.sh), and the gzip size
# of the module (zorbel.wasm and zorbel.js) and of the page's own scripts.
# ZORBEL_BENCH_NO_BUILD=1 uses the build as it is. Takes the GUI lock.
set -uo pipefail
# shellcheck source=bench_tree.sh
. "$(dirname "$0")/bench_tree.sh" quiet
D=$root/dist
[ "$B" = "$root/build" ] || D=$B/dist
page=$D/web
saver=$B/release/src/x11/zorbel
[ -f "$page/index.html" ] || { echo "no page at $page" >&2; exit 1; }
export ZORBEL_ROOT=$root
# shellcheck source=../scripts/wine-env.sh
. scripts/wine-env.sh

work=$(mktemp -d /tmp/zorbel-web-bench.XXXXXX)
xpid=""
finish() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null && wait "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
python3 bench/saver_bench_data.py "$work/one" 1 >/dev/null || exit 1

gz() { gzip -9c "$@" | wc -c; }
echo "== the web page ($page)"
echo "gzip -9: zorbel.wasm + zorbel.js $(($(gz "$page/zorbel.wasm") + $(gz "$page/zorbel.js")))" \
  "bytes; the page's own scripts and CSS $(($(gz "$page/zorbel_show.js") + $(gz "$page/page.js") + $(gz "$page/style.css") + $(gz "$page/index.html"))) bytes"
ZORBEL_WEB_PAGE=$page flock /tmp/zorbel-gui.lock /usr/bin/python3 bench/web_bench.py "$work/one"

if [ -x "$saver" ]; then
  cc -O2 -o "$work/probe" bench/x11_step_time.c -lXdamage -lX11 || exit 1
  zorbel_x_server 400 500 Xvfb -screen 0 1920x1080x24 || { echo "no Xvfb" >&2; exit 1; }
  xpid=$ZORBEL_X_PID
  export DISPLAY=":$ZORBEL_X_DISPLAY" HOME=$work XDG_STATE_HOME=$work/state
  out=$("$work/probe" 200 20 -- "$saver" -geometry 1920x1080 -directory "$work/one" -time-delay 0 -display-logo 0)
  kill "$(echo "$out" | sed -n 2p)" 2>/dev/null
  echo "the Linux saver ($saver), forced step to strip, 1920x1080: $(echo "$out" | head -n 1 | sed 's/first_ms [^ ]* //')"
else
  echo "no optimised Linux saver at $saver: run scripts/build" >&2
fi
