#!/bin/bash
# Runs the window test under a private X server, session bus and accessibility
# bus. Usage: run_gui_test.sh YZO YZO_SCRIPT DEMO_FOLDER [TEST_SCRIPT]
# (TEST_SCRIPT is a file of this folder, test_window.py by default)
set -u
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }
command -v xvfb-run >/dev/null || skip "xvfb-run is missing (Debian package xvfb)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi is missing (Debian package python3-pyatspi)"
for tool in xdotool dbus-run-session xauth timeout; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Private runtime folders: parallel runs must not share an accessibility bus.
export XDG_RUNTIME_DIR="$work/run" XDG_CACHE_HOME="$work/run/cache" \
       XDG_CONFIG_HOME="$work/run/config" XDG_DATA_HOME="$work/run/data"
mkdir -p "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
export LC_ALL=C.UTF-8 GDK_BACKEND=x11

timeout -k 10 120 dbus-run-session -- \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    /usr/bin/python3 "$here/${4:-test_window.py}" "$1" "$2" "$3" "$work"
