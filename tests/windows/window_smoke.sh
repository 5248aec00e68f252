#!/usr/bin/env bash
# yzo.exe under Wine on a private X server: it opens the demo account, takes
# real keys (xdotool), and each status message it hands to the screen reader
# (the journal YZO_JOURNAL_PAROLE, written by the window itself) must be the
# one yzo-script.exe gives for the same keys, in the same order.
#   window_smoke.sh YZO.EXE YZO-SCRIPT.EXE DEMO_FOLDER
# WINEPREFIX is the test's own; YZO_WINE names wine.
set -u
skip() { echo "SKIPPED: $*"; exit 77; }
if [ -z "${YZO_SMOKE_DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null || skip "xvfb-run is missing (Debian package xvfb)"
  command -v xdotool >/dev/null || skip "xdotool is missing"
  exec timeout -k 10 240 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    env YZO_SMOKE_DISPLAY=1 bash "$0" "$@"
fi
yzo=$1 script=$2 demo=$3
wine=${YZO_WINE:-wine}
export WINEDEBUG=-all LC_ALL=C.UTF-8
work=$(mktemp -d)
yzo_pid=
cleanup() {
  [ -n "$yzo_pid" ] && kill "$yzo_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$demo" "$work/demo"
win() { winepath -w "$1" 2>/dev/null; }

# The messages yzo-script.exe gives for the keys, one a line, blanks trimmed.
# Down twice on the last line says "dernière ligne" twice: both are spoken.
keys=(Down Down Up M End Down Down)
cp -r "$work/demo" "$work/script-demo"
account=$(win "$work/script-demo/courant.yzo")
{ echo "start \"${account//\\/\\\\}\""; printf 'key %s\n' "${keys[@]}"; } > "$work/keys.scn"
"$wine" "$script" --aujourdhui 2026-12-28 --heure 10:00:00 --dossier "$(win "$work/script-demo")" "$work/keys.scn" \
  | sed -n 's/^message: *//p' | sed 's/ *\r\?$//' > "$work/expected.txt"
[ -s "$work/expected.txt" ] || { echo "FAIL: yzo-script.exe said nothing"; exit 1; }

# A Wine server left by a test without a display would give the window no
# display either: the window waits for it to end (it does a few seconds after
# its last program).
timeout 60 wineserver -w 2>/dev/null || true
journal=$work/parole.txt
YZO_TRACE_KEYS=1 YZO_DOSSIER=$(win "$work/demo") YZO_AUJOURDHUI=2026-12-28 YZO_HEURE=10:00:00 YZO_JOURNAL_PAROLE=$(win "$journal") \
  "$wine" "$yzo" "$(win "$work/demo/courant.yzo")" > "$work/yzo.log" 2>&1 &
yzo_pid=$!

# What the window handed to the screen reader, as one line: each key's
# messages reach it together, joined by a blank.
heard() { tr -d '\r' < "$journal" 2>/dev/null | sed 's/^[a-z]*: //' | tr '\n' ' ' | sed 's/ *$//'; }
tr '\n' ' ' < "$work/expected.txt" | sed 's/ *$//' > "$work/expected-line.txt"

# wait_for TRIES COMMAND...: COMMAND every 0.2 s until it succeeds, TRIES times at most.
wait_for() { local n=$1; shift; for _ in $(seq 1 "$n"); do "$@" && return 0; sleep 0.2; done; return 1; }
# The window is up once its launch has said something (a program that ended never will).
launched() {
  kill -0 "$yzo_pid" 2>/dev/null || [ -s "$journal" ] || { echo "FAIL: yzo.exe ended"; cat "$work/yzo.log"; exit 1; }
  [ -s "$journal" ]
}
wait_for 300 launched || { echo "FAIL: yzo.exe said nothing"; exit 1; }
shown() { window=$(xdotool search --onlyvisible --name 'courant' | head -n 1); [ -n "$window" ]; }
if ! wait_for 300 shown; then
  echo "FAIL: no window titled courant; the windows shown:"
  for w in $(xdotool search --onlyvisible --name '.'); do xdotool getwindowname "$w"; done
  cat "$journal"
  exit 1
fi
# The window takes the keyboard a little after it shows: Shift alone (which
# the ledger ignores) is pressed until the window's key trace shows it.
for _ in $(seq 1 40); do
  timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key shift
  sleep 0.5
  grep -q '^key 16 ' "$work/yzo.log" && break
done
grep -q '^key 16 ' "$work/yzo.log" || { echo "FAIL: the window never took the keyboard"; exit 1; }
for key in "${keys[@]}"; do
  # xdotool names a letter key by its small letter.
  [ ${#key} -eq 1 ] && key=$(echo "$key" | tr 'A-Z' 'a-z')
  xdotool key "$key"
  sleep 0.3
done
as_script() { [ "$(heard)" = "$(cat "$work/expected-line.txt")" ]; }
wait_for 150 as_script
echo "--- yzo.exe handed to the screen reader (route: messages of one event):"
cat "$journal"
if ! as_script; then
  echo "FAIL: the window's messages differ from yzo-script's:"
  echo "  window: $(heard)"
  echo "  script: $(cat "$work/expected-line.txt")"
  exit 1
fi
echo "yzo.exe answered ${#keys[@]} keys as yzo-script.exe does"
