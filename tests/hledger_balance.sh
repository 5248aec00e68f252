#!/usr/bin/env bash
# The journal written by tests/scenarios/export-compte.scn, read by hledger
# (which also checks its bank assertion): the account's balance, cash
# sub-account included, and the cash sub-account's are those the program says.
#   hledger_balance.sh YZO_SCRIPT SCENARIOS_FOLDER
set -u
command -v hledger > /dev/null || { echo "SKIP: hledger is not installed (Debian package hledger)"; exit 77; }
script=$1 scenarios=$2 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$scenarios/data/." "$work/" && cd "$work" || exit 1
"$script" --dossier "$work" --aujourdhui 2026-03-01 --heure 10:00:00 "$scenarios/export-compte.scn" > said.txt 2>&1 || { cat said.txt; exit 1; }
# The first number of a text, with a decimal point ("moins 12,5" and "-12.50 EUR" give -12.5).
number() { sed -e 's/moins /-/' -e 's/,/./g' | grep -o -- '-\?[0-9][0-9]*\(\.[0-9]*\)\?' | head -n 1; }
status=0
check() {  # what the program says, hledger's query
  local said found
  said=$(grep -m1 "^message: *$1" said.txt | sed "s/^message: *$1//" | number)
  found=$(hledger -f export-compte.journal balance -N --flat "${@:2}" 2>&1) || { echo "$found"; exit 1; }
  if [ -n "$said" ] && awk -v a="$said" -v b="$(number <<< "$found")" 'BEGIN { exit !(a - b < 0.005 && b - a < 0.005) }'; then
    echo "ok: $1 $said"
  else
    echo "FAIL: $1: the program says '$said', hledger: $found"; status=1
  fi
}
check "solde opérations" --depth 2 '^actif:'
check "solde des espèces" ':espèces$'
exit $status
