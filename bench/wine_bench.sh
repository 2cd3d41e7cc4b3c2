# shellcheck shell=bash
# Sourced by the benchmarks of the real saver under wine64, after setting
# E2E_NAME: the build trees (bench_tree.sh), the 64-bit saver and its tools,
# a prefix of the benchmarks' own, Xvfb and Wine (tests/e2e/lib.sh, which
# stops them on exit), the data and screen helpers of the tests, and the
# ending key.
# shellcheck source=bench_tree.sh
. "$(dirname "${BASH_SOURCE[0]}")/bench_tree.sh"
export ZORBEL_SCR=$B/x64/zorbel.scr ZORBEL_TOOLS_DIR=$B/x64/tests
export ZORBEL_WINEPREFIX=${ZORBEL_WINEPREFIX:-$B/wineprefix-bench}
unset WINEPREFIX
# shellcheck source=../tests/e2e/lib.sh
. tests/e2e/lib.sh
# shellcheck source=../tests/e2e/saver_data.sh
. tests/e2e/saver_data.sh
# shellcheck source=../tests/e2e/x_screens.sh
. tests/e2e/x_screens.sh
e2e_init

# shellcheck disable=SC2034 # read by the benchmarks
clk=$(getconf CLK_TCK)

end_saver() { # pid
  ztool saver_driver 0 0 0 65 >/dev/null
  zwait "$1" 20 >/dev/null || fail "the saver did not end"
}
