#!/usr/bin/env bash
# zorbel-render against the real saver: a template of one strip whose
# categories hold one entry each, so that every seed makes the same strip.
# The saver shows it and F1 saves it; the renderer's BMP of that strip is
# the same file byte for byte. A strip that fails prints the saver's status
# message and makes no file; without --seed the seed is printed; --count
# makes one file per seed, two seeds apart; --out makes its folder; an
# unknown strip lists the template's strips; a popup is put on a screen of
# its own with its caption; the checker on Windows finds nothing to report.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/saver_data.sh"
. "$(dirname "$0")/saver_checks.sh"
e2e_init

bin=$(dirname "$ZORBEL_SCR")
data=$(ztmp)
out=$(ztmp)
zdata_basic "$data"
# The basic strip, with words in its one text box.
sed 's/^silence$/hello/' "$data/strip.txt" >"$data/talk.txt"
sed -i 's/^\[cartoon One\]$/[cartoon Talk]/' "$data/talk.txt"
printf '[hello]\nHello there!\\Zorbel here.\nend\n' >>"$data/talk.txt"
printf 'zb\r\nrandom\r\ntalk.txt\r\n' >"$data/comics.ini"
wdata=$(zwinpath "$data")
wout=$(zwinpath "$out")

zsaver_defaults
zset_data_dir "$data"
zstart /s
saver=$ZPID
zkey F1
zpoll 15 zfile_size "$data/shot0000.bmp" $((54 + 2312 * 339)) || fail "no strip shot0000.bmp"
zkey a
zwait "$saver" 15 >/dev/null

said=$(zwin "$bin/zorbel-render.exe" "$wdata" talk.txt --seed 7 --out "$wout" | tr -d '\r')
echo "$said"
file="$out/talk-Talk-7.bmp"
[ -f "$file" ] || fail "no $file"
cmp -s "$data/shot0000.bmp" "$file" || fail "the rendered strip differs from the saver's F1 shot"
case "$said" in
  *'talk-Talk-7.bmp: strip "Talk" | panel 1: p1.pcx "Hello there!\Zorbel here." | panel 2: p2.pcx | panel 3: p3.pcx') ;;
  *) fail "choices line: $said" ;;
esac

# Failures: the saver's status message, no file, exit status 1.
said=$(zwin "$bin/zorbel-render.exe" "$wdata" talk.txt --strip Nope --seed 1 --out "$wout" | tr -d '\r')
[ "$said" = 'talk.txt: no strip "Nope"; its strips: "Talk"' ] || fail "missing strip said: $said"
zwin "$bin/zorbel-render.exe" "$wdata" talk.txt --seed 4294967296 >/dev/null 2>&1
[ $? = 2 ] || fail "a seed beyond 32 bits is taken"
sed 's/^p3.pcx$/missing.pcx/' "$data/talk.txt" >"$data/broken.txt"
said=$(zwin "$bin/zorbel-render.exe" "$wdata" broken.txt --seed 1 --out "$wout" | tr -d '\r')
case "$said" in
  *"missing.pcx: Unable to load!; Strip Error.") ;;
  *) fail "missing panel said: $said" ;;
esac
[ "$(ls "$out")" = "talk-Talk-7.bmp" ] || fail "files after failures: $(ls "$out")"

# No seed: the time, printed; --count: one file per seed, two apart, in a
# folder that --out makes; the strip's name in any capitals.
said=$(zwin "$bin/zorbel-render.exe" "$wdata" talk.txt --strip TALK --count 2 --out "$wout\\new" |
  tr -d '\r')
seed=$(sed -n 's/^seed \([0-9]*\)$/\1/p' <<<"$said")
[ -n "$seed" ] || fail "no seed printed: $said"
[ -f "$out/new/talk-Talk-$seed.bmp" ] && [ -f "$out/new/talk-Talk-$(((seed + 2) % 4294967296)).bmp" ] ||
  fail "count 2 made: $(ls -R "$out")"

# A popup with its caption, on a 1024 x 768 screen of its own.
printf 'popup\np1.pcx "Hi there"\n' >>"$data/comics.ini"
said=$(zwin "$bin/zorbel-render.exe" "$wdata" p1.pcx --seed 2 --out "$wout" | tr -d '\r')
case "$said" in
  *'p1-2.bmp: popup p1.pcx at '*', caption "Hi there"') ;;
  *) fail "popup said: $said" ;;
esac
[ "$(stat -c %s "$out/p1-2.bmp")" = $((54 + 1024 * 3 * 768)) ] || fail "the popup's screen is no 1024 x 768 BMP"

# The checker's Windows build on the same folder: the broken template is
# not listed, so there is nothing to say.
rm -f "$data"/shot*.bmp
said=$(zwin "$bin/zorbel-check.exe" "$wdata" | tr -d '\r')
[ -z "$said" ] || fail "zorbel-check said: $said"

e2e_pass
