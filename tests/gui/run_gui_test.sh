#!/bin/bash
# Runs a window test under a private X server, session bus and accessibility bus.
# Usage: run_gui_test.sh YZO YZO_SCRIPT DEMO_FOLDER [TEST_SCRIPT [MODE ORCA_SCRIPT]]
# TEST_SCRIPT is a file of this folder, test_window.py by default. test_orca.py
# takes MODE "script" (yzo's Orca script installed), "fallback" (without it) or
# "package" (the script mode on the Debian package) and ORCA_SCRIPT (the build
# folder, or the script file, or for "package" the .deb).
set -u
here=$(cd "$(dirname "$0")" && pwd)
yzo=$1 yzo_script=$2 demo=$3 test=${4:-test_window.py} mode=${5:-} orca_script=${6:-}
skip() { echo "SKIPPED: $*"; exit 77; }
die() { echo "FAIL: $*"; exit 1; }
need() { for tool; do command -v "$tool" >/dev/null || die "$tool is missing"; done; }
command -v xvfb-run >/dev/null || skip "xvfb-run is missing (Debian package xvfb)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi is missing (Debian package python3-pyatspi)"
if [ "$test" = test_orca.py ]; then
    /usr/bin/python3 -c 'import importlib.util, sys; sys.exit(importlib.util.find_spec("orca.orca") is None)' \
        2>/dev/null || skip "Orca is missing (Debian package orca)"
fi
need xdotool dbus-run-session xauth timeout

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Private runtime folders: parallel runs must not share an accessibility bus,
# and Orca reads its preferences from $XDG_DATA_HOME/orca.
export XDG_RUNTIME_DIR="$work/run" XDG_CACHE_HOME="$work/run/cache" \
       XDG_CONFIG_HOME="$work/run/config" XDG_DATA_HOME="$work/run/data"
mkdir -p "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
export LC_ALL=C.UTF-8 GDK_BACKEND=x11

# The package mode: the Debian package unpacked into a private root as
# dpkg-deb would install it; the packaged yzo and yzo-script run from that
# root for a new user, whose home is empty and who has no Orca preferences
# but the speech server that logs. Orca then finds the script only where the
# package put it: nothing copies it.
if [ "$mode" = package ]; then
    need dpkg-deb
    dpkg-deb -x "$orca_script" "$work/root" || die "dpkg-deb -x $orca_script"
    yzo="$work/root/usr/bin/yzo" yzo_script="$work/root/usr/bin/yzo-script"
    export HOME="$work/home"
    mkdir -p "$HOME"
    unset XDG_DOCUMENTS_DIR YZO_DOSSIER
    # Orca's package of application scripts as the package fills it, empty
    # when the package brings no script (then the checks must fail).
    orca_script="$work/root/usr/lib/python3/dist-packages/orca/scripts/apps"
    [ -d "$orca_script" ] || { orca_script="$work/no-apps"; mkdir -p "$orca_script"; }
    mode=script
elif [ -d "$orca_script" ]; then
    # A build folder: installed into a private root, where Orca finds the
    # script as the package puts it.
    cmake --install "$orca_script" --prefix "$work/root" > "$work/install.log" 2>&1 \
        || { cat "$work/install.log"; die "cmake --install"; }
    orca_script="$work/root/lib/python3/dist-packages/orca/scripts/apps"
    [ -f "$orca_script/yzo/__init__.py" ] || die "the install has no orca/scripts/apps/yzo"
fi

limit=120
[ "$test" = test_orca.py ] && limit=240
timeout -k 10 $limit dbus-run-session -- \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    /usr/bin/python3 "$here/$test" "$yzo" "$yzo_script" "$demo" "$work" "$mode" "$orca_script"
status=$?
[ $status -eq 124 ] && echo "FAIL: $test did not end within $limit s"
exit $status
