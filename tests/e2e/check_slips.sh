# The planted slips of the checker's fixture folders, as both checkers must
# report them: the place and kind of each finding, the summary, status 1.
# check_slips RUN PLATFORM: RUN is a command that checks the folder given
# to it (a path in the unit tests' fixtures); PLATFORM is linux or windows.
# Prints what differs; false when anything does.
check_slips_expected() { # folder platform
  case $1 in
  authoring_slips)
    printf '%s\n' 'comics.ini:7: error' 'comics.ini:9: error' 'comics.ini:11: warning' \
      'comics.ini:11: warning' 'comics.ini:13: error' 'error.pcx:0: warning' \
      'slips.txt:2: warning' 'slips.txt:21: error' 'slips.txt:38: error' 'slips.txt:43: warning' \
      'slips.txt:46: warning' 'slips.txt:49: error' 'slips.txt:52: error' 'slips.txt:52: warning' \
      'slips.txt:55: warning' 'slips.txt:58: warning' 'slips.txt:60: error' 'slips.txt:63: error' \
      '9 errors, 9 warnings'
    ;;
  authoring_shapes)
    printf '%s\n' 'shapes.txt:32: error' 'shapes.txt:42: error' 'shapes.txt:48: error' \
      'shapes.txt:58: error' 'shapes.txt:66: error' 'shapes.txt:71: error' \
      'shapes.txt:80: warning' 'shapes.txt:87: error' 'shapes.txt:106: error' '8 errors, 1 warning'
    ;;
  authoring_texts)
    printf '%s\n' 'comics.ini:7: error' 'comics.ini:9: error' 'comics.ini:10: warning'
    # Windows opens a name whose capitals differ from the file's.
    [ "$2" = linux ] && echo 'comics.ini:11: error'
    printf '%s\n' 'comics.ini:13: error' 'comics.ini:15: error' 'mac.txt:1: error' \
      'texts.txt:8: warning' 'texts.txt:24: warning' 'texts.txt:37: warning' 'texts.txt:40: error' \
      'texts.txt:46: warning' 'utf16.txt:1: error' 'utf8.txt:19: error'
    [ "$2" = linux ] && echo '9 errors, 5 warnings' || echo '8 errors, 5 warnings'
    ;;
  authoring_looks)
    printf '%s\n' 'comics.ini:5: error' 'comics.ini:7: warning' 'comics.ini:7: warning' \
      'looks.txt:6: warning' 'looks.txt:15: warning' 'looks.txt:36: warning' \
      'looks.txt:42: warning' 'looks.txt:43: warning' 'looks.txt:44: warning' \
      'looks.txt:45: warning' 'looks.txt:47: warning' '1 error, 10 warnings'
    ;;
  esac
}

check_slips() { # run platform
  local run=$1 platform=$2 folder out rc got want ok=0
  for folder in authoring_slips authoring_shapes authoring_texts authoring_looks; do
    out=$($run "$folder")
    rc=$?
    out=$(tr -d '\r' <<<"$out")
    got=$(sed -E 's/^([^:]+:[0-9]+: (error|warning)):.*/\1/' <<<"$out")
    want=$(check_slips_expected "$folder" "$platform")
    if [ "$got" != "$want" ]; then
      echo "$folder: the findings differ:"
      diff <(echo "$want") <(echo "$got")
      ok=1
    fi
    [ "$rc" = 1 ] || {
      echo "$folder: status $rc"
      ok=1
    }
  done
  return $ok
}
