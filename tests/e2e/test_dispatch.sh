#!/usr/bin/env bash
# The modes that end at once end with exit code 0, whatever the line says.
. "$(dirname "$0")/lib.sh"
e2e_init
zreg_reset

expect_quick_exit() {
  local pid rc
  zstart "$@"
  pid=$ZPID
  zwait "$pid" 20
  rc=$?
  [ "$rc" -eq 0 ] || fail "zorbel.scr $* ended with $rc"
}

expect_quick_exit /x
expect_quick_exit //s
expect_quick_exit "$(printf '\t/s')"
expect_quick_exit /1
# Password change with no library entry on this platform, with and without owner.
expect_quick_exit /a
expect_quick_exit /a 42
# Previews into windows that do not exist end at once.
expect_quick_exit /p
expect_quick_exit /p 0
expect_quick_exit /p 12345
expect_quick_exit /p -5
expect_quick_exit /l 99999999999999999999
expect_quick_exit /p Scrprev
expect_quick_exit /p scrprev
# A very long line of garbage.
expect_quick_exit "/q$(head -c 20000 /dev/zero | tr '\0' 'x')"

e2e_pass
