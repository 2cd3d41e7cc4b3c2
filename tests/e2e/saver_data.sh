# Data folders for the saver's end-to-end tests; sourced after lib.sh.
#
#   zpcx FILE W H R G B [pattern|truncate]   write a PCX picture
#   zdata_basic DIR      a logo, an error picture, a screen-filling finished
#                        comic and a three-panel strip template
#   zstrip_template FILE CATEGORY PICTURE   a three-panel template whose first
#                        panel comes from CATEGORY and whose third shows PICTURE
#   zsaver_defaults      product and platform values the tests rely on

zpcx() { python3 "$E2E_ROOT/tests/e2e/zpcx.py" "$@" || fail "pcx $1"; }

# Strip panels of 250 x 339: a strip of 770 x 339.
zdata_basic() {
  local dir=$1
  zpcx "$dir/ZBLogo.pcx" 278 180 0 0 255
  zpcx "$dir/error.pcx" 100 60 255 255 0
  zpcx "$dir/full.pcx" 1023 767 250 0 0 pattern
  zpcx "$dir/p1.pcx" 250 339 200 0 0 pattern
  zpcx "$dir/p2.pcx" 250 339 180 0 0 pattern
  zpcx "$dir/p3.pcx" 250 339 160 0 0 pattern
  cat >"$dir/strip.txt" <<'T'
[cartoon One]
first
40
20
120
200
10
silence
end
second
end
third
end
[first]
p1.pcx
end
[second]
p2.pcx
end
[third]
p3.pcx
end
[silence]
.
end
T
}

zstrip_template() { # file, category of the first panel, picture of the third
  cat >"$1" <<T
[cartoon One]
$2
end
second
end
third
end
[first]
p1.pcx
end
[second]
p2.pcx
end
[third]
$3
end
T
}

zsaver_defaults() {
  zreg_reset
  local name
  for name in "Use Toasty" "Use Sound" "Display Logo" "Use Pellow"; do
    zreg_set "$name" REG_DWORD 0
  done
  zreg_set "Time Delay" REG_DWORD 0
  zreg_set_platform "Mouse Threshold" REG_DWORD 50
  zreg_set_platform "Password Delay" REG_DWORD 15
}
