#!/bin/bash
# `yzo COMMANDFILE /C` runs the accounting report with no display at all: it
# must end by itself, without starting the toolkit (which would fail here).
set -u
yzo=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'COURANT\r\n' > "$work/compta.txt"
for switch in /C /c; do
    timeout -k 5 30 env -u DISPLAY -u WAYLAND_DISPLAY YZO_DOSSIER="$work" \
        "$yzo" "$work/compta.txt" "$switch" > "$work/out" 2> "$work/err" < /dev/null
    status=$?
    # 0 when the report is written, 1 when a message box reported a failure
    # (said on standard error); anything else is a crash or a hang.
    if { [ $status -ne 0 ] && [ $status -ne 1 ]; } || { [ $status -eq 1 ] && [ ! -s "$work/err" ]; } ||
        grep -qi "display\|gtk" "$work/err"; then
        echo "FAIL: yzo FILE $switch ended with status $status"
        cat "$work/err"
        exit 1
    fi
done
# A path that merely holds "/c" is an account to open, in the window: with no
# display that must fail, which shows the report was not taken for it.
mkdir -p "$work/comptes"
if timeout -k 5 30 env -u DISPLAY -u WAYLAND_DISPLAY YZO_DOSSIER="$work" \
        "$yzo" "$work/comptes/courant.yzo" > "$work/out" 2> "$work/err" < /dev/null; then
    echo "FAIL: yzo $work/comptes/courant.yzo ran without a display"
    exit 1
fi
echo "report without display: ok"
