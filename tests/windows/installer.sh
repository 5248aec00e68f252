#!/usr/bin/env bash
# The NSIS installer under Wine: made from the build's install tree, run
# silently, it puts the programs and share\yzo in place, a Start-menu entry
# and the .yzo association; its uninstaller takes all of them away again.
#   installer.sh BUILD_FOLDER NSIS_SCRIPT
# WINEPREFIX is the test's own; YZO_WINE names wine.
set -u
build=$1 nsis=$2
wine=${YZO_WINE:-wine}
export WINEDEBUG=-all
command -v makensis >/dev/null || { echo "SKIPPED: makensis is missing (Debian package nsis)"; exit 77; }
work=$(mktemp -d)
target=yzo-essai-$$
trap 'rm -rf "$work" "$WINEPREFIX/drive_c/$target"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/yzo"
key() { "$wine" reg query "$1" 2>/dev/null | tr -d '\r'; }
absent() { ! "$wine" reg query "$1" > /dev/null 2>&1; }

cmake --install "$build" --prefix "$work/yzo" > /dev/null || fail "cmake --install"
makensis -V1 -DVERSION=0 -DSTAGE="$work/yzo" -DOUTFILE="$work/setup.exe" "$nsis" || fail "makensis"
"$wine" "$work/setup.exe" /S "/D=C:\\$target" || fail "the installer failed"
installed=$WINEPREFIX/drive_c/$target
for f in bin/yzo.exe bin/yzo-script.exe share/yzo/Tva.txt share/yzo/nvda/yzo.py README.md uninstall.exe; do
  [ -f "$installed/$f" ] || fail "$f not installed"
done
[ -f "$menu/yzo.lnk" ] || fail "no Start-menu entry"
key 'HKLM\Software\Classes\.yzo' | grep -q 'yzo.compte' || fail ".yzo not associated"
key 'HKLM\Software\Classes\yzo.compte\shell\open\command' | grep -qF "\"C:\\$target\\bin\\yzo.exe\" \"%1\"" ||
  fail "yzo.compte does not open with yzo.exe"
"$wine" "$installed/bin/yzo-script.exe" --version | grep -q '^yzo-script ' || fail "the installed yzo-script does not run"

# _? keeps the uninstaller in place (NSIS's way to wait for it): it alone stays.
"$wine" "$installed/uninstall.exe" /S "_?=C:\\$target" || fail "the uninstaller failed"
left=$(cd "$installed" && find . -mindepth 1 ! -name uninstall.exe)
[ -z "$left" ] || fail "left after uninstalling: $left"
[ ! -e "$menu" ] || fail "the Start-menu entry is left"
absent 'HKLM\Software\Classes\.yzo' || fail ".yzo still associated"
absent 'HKLM\Software\Classes\yzo.compte' || fail "yzo.compte is left"
absent 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\yzo' || fail "still listed as installed"
echo "installed and uninstalled cleanly"
