#!/usr/bin/env bash
# zorbel-check on the command line (native build): nothing to say and exit 0
# on the sample folder, every planted slip with exit 1, only the errors with
# --quiet, exit 2 for a folder that is not there or no folder at all.
set -u
check=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
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
[ "$(tail -n 1 <<<"$out")" = "9 errors, 7 warnings" ] || fail "slips summary: $(tail -n 1 <<<"$out")"
[ "$(head -n -1 <<<"$out" | sort -t: -k1,1 -k2,2n -s)" = "$(head -n -1 <<<"$out")" ] ||
  fail "slips not sorted by file and line"

out=$("$check" --quiet "$slips")
rc=$?
[ "$rc" = 1 ] && [ "$(wc -l <<<"$out")" = 9 ] && ! grep -qv ': error: ' <<<"$out" ||
  fail "--quiet: status $rc, said: $out"

"$check" "$root/no/such/folder" >/dev/null 2>&1
[ $? = 2 ] || fail "a missing folder is not status 2"
"$check" >/dev/null 2>&1
[ $? = 2 ] || fail "no folder is not status 2"
echo "PASS zorbel_check_cli"
