#!/usr/bin/env bash
# The Windows checker on the unit tests' planted slips: the same findings
# at the same lines as the Linux checker (tests/e2e/check_slips.sh), its
# speech widths measured with GDI, and nothing to say on the sample folder.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/check_slips.sh"
e2e_init

check=$(dirname "$ZORBEL_SCR")/zorbel-check.exe
fixtures=$E2E_ROOT/tests/unit
run_windows() { zwin "$check" "$(zwinpath "$fixtures/$1")"; }
said=$(check_slips run_windows windows) || fail "$said"

said=$(run_windows authoring_texts | tr -d '\r')
grep -q '^texts.txt:46: warning: .* (measured with GDI in the saver.s font' <<<"$said" ||
  fail "the wide line is not measured with GDI: $said"
said=$(zwin "$check" "$(zwinpath "$E2E_ROOT/data/sample")" | tr -d '\r')
[ -z "$said" ] || fail "the sample folder: $said"
e2e_pass
