#!/usr/bin/env bash
# The show on the sample data for many forced steps (Enter, one answered
# step at a time; no timer), in rounds of so many steps; after each round,
# with the saver idle, its GDI objects, handles and memory are read. GDI
# objects and handles must be the same at every reading after the first,
# and private memory may grow only a little after the warm-up round: a
# leak of one bitmap, font, device context or strip buffer per item shows.
# Each round ends with a screenshot (F1).
#
#   ZORBEL_SOAK_STEPS (1000)  ZORBEL_SOAK_EVERY (250)
#   ZORBEL_SOAK_MAX_GROWTH_KB (1024)  private memory growth allowed after
#                             the first round
#   ZORBEL_SOAK_TABLE         also write the table to this file
# bench/soak.sh runs it for 10 000 steps.
#
# Wine reports neither private bytes nor handle counts of another process,
# so memory is read from /proc of the saver's process (VmData: its private
# writable, committed address space; RssAnon: the part of it in memory),
# and handles from the system's process list (the handle table's size).
. "$(dirname "$0")/lib.sh"
e2e_init

steps=${ZORBEL_SOAK_STEPS:-1000}
every=${ZORBEL_SOAK_EVERY:-250}
max_growth=${ZORBEL_SOAK_MAX_GROWTH_KB:-1024}

# The counters must see objects come and go, or flat figures prove nothing.
self=$(ztool saver_driver --self) || fail "the GDI counter does not count: $self"
echo "$self"
self=$(ztool saver_bench counts --self) || fail "the handle counter does not count: $self"
echo "$self"

data=$(ztmp)
cp "$E2E_ROOT"/data/sample/* "$data/"
rm -f "$data/error.log"
zreg_reset
zset_data_dir "$data"
zreg_set "Time Delay" REG_DWORD 0 # only the forced steps run
zreg_set "Use Sound" REG_DWORD 1
zreg_set "Per Toasty" REG_DWORD 4
zreg_set "Logo Frames" REG_DWORD 9
zreg_set_platform "Mouse Threshold" REG_DWORD 100000
zreg_set_platform "Password Delay" REG_DWORD 100000

zstart /s
saver=$ZPID
zwindow SaverWindow 30 >/dev/null || fail "no saver window"

status_kb() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$saver/status"; }

table=$E2E_TMP/table
done_steps=0
round=0
while :; do
  # Step 0 is read once the first item is up; then after every round.
  line=$(ztool saver_driver "$round" "$round" 2 | grep '^step' | tail -n 1)
  [ -n "$line" ] || fail "driver: no answer at step $done_steps"
  zalive "$saver" || fail "the saver ended at step $done_steps"
  done_steps=$((done_steps + round))
  # A screenshot (F1) a round, so that a leak in its writer shows too.
  [ "$round" -gt 0 ] && { ztool saver_poke keys 1 0 112 >/dev/null || fail "no answer to F1"; }
  sleep 1 # the last item's sound, if any, under way
  counts=$(ztool saver_bench counts) || fail "counts: $counts"
  read -r _ _ _ gdi _ _ _ _ _ _ _ maxms <<<"$line"
  read -r _ handles _ threads <<<"$counts"
  echo "$done_steps $gdi $handles $threads $(status_kb VmData) $(status_kb RssAnon) \
$(status_kb VmRSS) $maxms" >>"$table"
  [ "$done_steps" -ge "$steps" ] && break
  round=$every
  [ $((done_steps + round)) -le "$steps" ] || round=$((steps - done_steps))
done
ztool saver_driver 0 0 0 65 >/dev/null || fail "the saver did not end on a key"
zwait "$saver" 20 || fail "the saver still runs after the ending key"

{
  printf '%7s %5s %8s %8s %11s %11s %9s %6s\n' step gdi handles threads private_kB \
    resident_kB rss_kB maxms
  while read -r s g h t p r w m; do
    printf '%7s %5s %8s %8s %11s %11s %9s %6s\n' "$s" "$g" "$h" "$t" "$p" "$r" "$w" "$m"
  done <"$table"
} | tee "${ZORBEL_SOAK_TABLE:-/dev/null}"

# The reading at step 0 comes before the show's first full round of items
# and may differ; from the next one on GDI objects and handles stay put,
# and private memory stays within the bound of the first reading made with
# as many threads. A popup's sound may leave one thread of Wine's sound
# player up, with its own stack, until a later sound: so the thread count
# may move by one, and memory is compared between readings of one count.
verdict=$(awk -v bound="$max_growth" '
  NR == 1 { next }
  NR == 2 { gdi = $2; handles = $3; least = $4 }
  {
    if ($2 != gdi) bad = bad sprintf(" gdi %s at step %s (was %s);", $2, $1, gdi)
    if ($3 != handles) bad = bad sprintf(" handles %s at step %s (was %s);", $3, $1, handles)
    if ($4 < least) least = $4
    if ($4 > most) most = $4
    if (!($4 in base)) { base[$4] = $5; rbase[$4] = $6 }
    if ($5 - base[$4] > grew) grew = $5 - base[$4]
    if ($6 - rbase[$4] > rgrew) rgrew = $6 - rbase[$4]
  }
  END {
    if (gdi <= 0) bad = bad " no GDI objects counted;"
    if (most > least + 1) bad = bad sprintf(" threads grew from %d to %d;", least, most)
    if (grew > bound) bad = bad sprintf(" private memory grew %d kB (bound %d);", grew, bound)
    if (rgrew > bound) bad = bad sprintf(" resident private memory grew %d kB (bound %d);", rgrew, bound)
    printf "gdi %s handles %s threads %d-%d, after warm-up private +%d kB, resident +%d kB%s\n",
      gdi, handles, least, most, grew, rgrew, bad ? ": LEAK" bad : ": flat"
  }' "$table")
echo "$verdict"
case $verdict in *LEAK*) fail "$verdict" ;; esac

# F1 does nothing while a popup shows, so not every round leaves a file.
shots=$(find "$data" -name 'shot*.bmp' | wc -l)
echo "screenshots written: $shots"
[ "$shots" -gt 0 ] || fail "no screenshot was written"

log=$(tr -d '\r' <"$data/error.log" 2>/dev/null)
for bad in "Strip Error." "Error #" "Unable to"; do
  if grep -qF "$bad" <<<"$log"; then
    echo "$log" | sort | uniq -c | head >&2
    fail "error.log reports \"$bad\""
  fi
done
e2e_pass
