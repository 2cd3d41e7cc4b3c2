#!/usr/bin/env bash
# zorbel-check on the command line (native build): nothing to say and exit 0
# on the sample folder, every planted slip with exit 1 (the same findings as
# the Windows checker's, tests/e2e/check_slips.sh), speech measured with
# FreeType, only the errors with --quiet, exit 2 for a folder that is not
# there or no folder at all.
set -u
check=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/e2e/check_slips.sh"
fail() {
  echo "FAIL zorbel_check_cli: $1" >&2
  exit 1
}

out=$("$check" "$root/data/sample")
rc=$?
[ "$rc" = 0 ] && [ -z "$out" ] || fail "sample: status $rc, said: $out"

slips=$root/tests/unit/authoring_slips
out=$("$check" "$slips")
rc=$?
[ "$rc" = 1 ] || fail "slips: status $rc"
run_linux() { "$check" "$root/tests/unit/$1"; }
said=$(check_slips run_linux linux) || fail "$said"
[ "$(head -n -1 <<<"$out" | sort -t: -k1,1 -k2,2n -s)" = "$(head -n -1 <<<"$out")" ] ||
  fail "slips not sorted by file and line"

# Measured with the Linux saver's font where fontconfig finds one.
grep -q '^texts.txt:46: warning: .* (measured with FreeType in the Linux saver.s font, /' \
  <<<"$(run_linux authoring_texts)" || fail "the wide line is not measured with FreeType"

out=$("$check" --quiet "$slips")
rc=$?
[ "$rc" = 1 ] && [ "$(wc -l <<<"$out")" = 9 ] && ! grep -qv ': error: ' <<<"$out" ||
  fail "--quiet: status $rc, said: $out"

"$check" "$root/no/such/folder" >/dev/null 2>&1
[ $? = 2 ] || fail "a missing folder is not status 2"
"$check" >/dev/null 2>&1
[ $? = 2 ] || fail "no folder is not status 2"
echo "PASS zorbel_check_cli"
