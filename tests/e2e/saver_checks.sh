# shellcheck shell=bash
# Screen and file checks for the saver's end-to-end tests; sourced after
# saver_data.sh.
#
#   zscreen_size SHOT        "W H" of a screenshot
#   zbbox SHOT               "W H X Y" of its non-black part ("0 0 0 0" if black)
#   zsame_at SHOT PIC X Y    true when the picture file lies exactly at X, Y
#   zblack_at SHOT WxH+X+Y   true when that part of the screenshot is black
#   zbright SHOT WxH+X+Y     number of near-white pixels in that part
#   zfile_size FILE BYTES    true when FILE is there with exactly BYTES bytes
#   zfile_is FILE LINE...    true when FILE holds exactly these lines, each
#                            ended by CR LF; prints both when not
#   zwin_env NAME UNIXPATH   exports NAME as the Windows form of the path
#   zsaver_window            true while the saver's window is shown
#   zpointer_at X Y          puts the pointer there, so that it stays there

# shellcheck disable=SC2034 # read by the tests
LOG_HEADER="-----------Quenwick Log File----------"

zscreen_size() { identify -format '%w %h' "$1" 2>/dev/null; }

zbbox() {
  local g
  g=$(convert "$1" -format '%@' info: 2>/dev/null)
  if [[ $g =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -gt 0 ]; then
    echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]} ${BASH_REMATCH[4]}"
  else
    echo "0 0 0 0"
  fi
}

# Pixel for pixel, so colours and place are both checked.
zsame_at() {
  local size differ
  size=$(identify -format '%wx%h' "$2" 2>/dev/null) || return 1
  differ=$(convert "$1" -crop "${size}+$3+$4" +repage png:- 2>/dev/null |
    compare -metric AE "$2" - null: 2>&1)
  [ "$differ" = 0 ]
}

zblack_at() {
  local top
  top=$(convert "$1" -crop "$2" +repage -format '%[max]' info: 2>/dev/null)
  [ "$top" = 0 ]
}

zbright() {
  convert "$1" -crop "$2" +repage -separate -evaluate-sequence Min -threshold 78% \
    -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}

# A file written whole, such as a screenshot of a known size.
zfile_size() { [ -f "$1" ] && [ "$(stat -c %s "$1")" = "$2" ]; }

zfile_is() {
  local file=$1 expected
  shift
  expected=$(mktemp "$E2E_TMP/expected.XXXXXX")
  printf '%s\r\n' "$@" >"$expected"
  if cmp -s "$expected" "$file"; then
    return 0
  fi
  echo "expected:" >&2
  cat -A "$expected" >&2
  echo "found:" >&2
  cat -A "$file" >&2 2>/dev/null || echo "(no file)" >&2
  return 1
}

zwin_env() {
  local path
  path=$(zwinpath "$2")
  [ -n "$path" ] || fail "no Windows path for $2"
  export "$1=$path"
}

# Windows' own view: the window is hidden the moment it is destroyed, while
# its process may linger for seconds.
zsaver_window() { ztool saver_state; }

# An X server resets, pointer to the middle, when its last client leaves;
# a client that stays keeps the pointer where it is put.
zpointer_at() {
  if [ -z "${E2E_HOLDER:-}" ]; then
    xev -root -event property >/dev/null 2>&1 &
    E2E_HOLDER=$!
    E2E_PIDS+=("$E2E_HOLDER")
  fi
  zpoll 10 zpointer_put "$1" "$2" || fail "the pointer does not stay at $1,$2"
}

zpointer_put() { # x, y
  zmove "$1" "$2"
  case "$(xdotool getmouselocation 2>/dev/null)" in
    "x:$1 y:$2 "*) return 0 ;;
  esac
  return 1
}
