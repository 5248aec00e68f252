#!/usr/bin/env bash
# The menu entry that installs the screen reader's script copies, on Windows,
# yzo's NVDA app module into %APPDATA%\nvda\appModules (created when missing):
#   nvda_module.sh UNDER_WINE YZO-SCRIPT.EXE APP_MODULE
# WINEPREFIX is the test's own; Wine sets APPDATA from its user profile there.
set -eu
under_wine=$1 program=$2 module=$3
appdata=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$appdata/nvda"
mkdir -p "$work/prog/nvda"
cp "$module" "$work/prog/nvda/yzo.py"
printf '%s\n' start 'menu mnuScriptOrca' > "$work/script.scn"
YZO_WINE_PROGRAM=$program bash "$under_wine" --aujourdhui 2026-12-08 --dossier "$work/prog" "$work/script.scn" \
  > "$work/out.txt"
grep 'NVDA' "$work/out.txt"
grep -q "module NVDA installé dans C:/users/$(id -un)/AppData/Roaming/nvda/appModules, redémarrez NVDA" "$work/out.txt"
cmp "$module" "$appdata/nvda/appModules/yzo.py"
