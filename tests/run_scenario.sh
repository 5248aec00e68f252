#!/usr/bin/env bash
# Runs one scenario through yzo-script and compares its transcript, in which
# each command of the script stands above what it caused ("$ " and the line).
#   run_scenario.sh tests/scenarios/NAME.scn
# The files of tests/scenarios/data/ are copied into a fresh folder, which is
# the program's folder and the current folder of the run, so that scripts name
# accounts by their bare file names. Today is 6 December 2026 unless the script
# sets "# aujourdhui: AAAA-MM-JJ" on a line of its own.
# With UPDATE=1 the expected transcript is written instead (read it before committing).
set -u
scn=$(readlink -f "${1:?usage: run_scenario.sh NAME.scn}")
script=${YZO_SCRIPT:?YZO_SCRIPT must name the yzo-script program}
dir=$(dirname "$scn")
name=$(basename "$scn" .scn)
expected="$dir/$name.expected"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$dir/data/." "$work/" 2>/dev/null
# "# ini: FILE" makes data/FILE the program's yzo.INI for this scenario.
ini=$(sed -n 's/^# ini: *\([^ ]*\).*/\1/p' "$scn" | head -n 1)
[ -n "$ini" ] && cp "$dir/data/$ini" "$work/yzo.INI"
today=$(sed -n 's/^# aujourdhui: *\([0-9-]*\).*/\1/p' "$scn" | head -n 1)
today=${today:-2026-12-06}
cd "$work"
"$script" --echo --dossier "$work" --aujourdhui "$today" --heure 10:00:00 --impression "$work" "$scn" > "$work/transcript.txt" 2> "$work/errors.txt"
rc=$?
# The temporary folder's name changes from run to run: show it as DOSSIER.
sed -i "s#$work#DOSSIER#g" "$work/transcript.txt"
echo "exit: $rc" >> "$work/transcript.txt"
if [ "${UPDATE:-0}" = 1 ]; then
  cp "$work/transcript.txt" "$expected"
  cat "$work/errors.txt" >&2
  exit 0
fi
if [ ! -f "$expected" ]; then
  echo "missing $expected; transcript was:"; cat "$work/transcript.txt"; cat "$work/errors.txt"; exit 1
fi
if ! diff -u "$expected" "$work/transcript.txt"; then
  cat "$work/errors.txt"
  exit 1
fi
# Files the script asks to compare: "# compare: FILE EXPECTED_FILE" (expected under data/expected/),
# with YZO_COMPARE when set (a program run on another system compares up to its path separator).
while read -r produced wanted; do
  if ! ${YZO_COMPARE:-cmp} "$work/$produced" "$dir/data/expected/$wanted"; then
    echo "$produced differs from $wanted"; exit 1
  fi
done < <(sed -n 's/^# compare: *\([^ ]*\) *\([^ ]*\).*/\1 \2/p' "$scn")
exit 0
