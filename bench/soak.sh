#!/usr/bin/env bash
# The long soak: 10 000 forced steps of the shows of two monitors on the
# sample data under wine64 and Xephyr, with GDI objects, handles and private memory read every
# 1000 steps, printed as a table and judged flat; then 3000 steps on a
# folder of bad files, read every 300 (tests/e2e/test_soak.sh, which CI
# runs for 1000 and 600 steps).
#   ZORBEL_SOAK_* as there;
#   ZORBEL_BENCH_NO_BUILD=1 uses the build trees as they are.
set -uo pipefail
# shellcheck source=bench_tree.sh
. "$(dirname "$0")/bench_tree.sh"
unset WINEPREFIX
export ZORBEL_SCR=$B/x64/zorbel.scr ZORBEL_TOOLS_DIR=$B/x64/tests
export ZORBEL_WINEPREFIX=${ZORBEL_WINEPREFIX:-$B/wineprefix-bench}
export ZORBEL_SOAK_STEPS=${ZORBEL_SOAK_STEPS:-10000}
export ZORBEL_SOAK_EVERY=${ZORBEL_SOAK_EVERY:-1000}
export ZORBEL_SOAK_MAX_GROWTH_KB=${ZORBEL_SOAK_MAX_GROWTH_KB:-1024}
export ZORBEL_SOAK_HOSTILE_STEPS=${ZORBEL_SOAK_HOSTILE_STEPS:-3000}
export ZORBEL_SOAK_HOSTILE_EVERY=${ZORBEL_SOAK_HOSTILE_EVERY:-300}
start=$(date +%s)
bash tests/e2e/test_soak.sh
rc=$?
echo "soak: $ZORBEL_SOAK_STEPS steps on the sample data and $ZORBEL_SOAK_HOSTILE_STEPS on bad files in $(($(date +%s) - start)) s"
exit $rc
