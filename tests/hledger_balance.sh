#!/usr/bin/env bash
# The journal of tests/scenarios/export-compte.scn read by hledger: the balance
# of the account (its cash sub-account included) and that of the cash
# sub-account are the balance and the cash balance the program says (keys S
# and Ctrl+E of the same script). hledger also checks the bank line's assertion.
#   hledger_balance.sh YZO_SCRIPT SCENARIOS_FOLDER
set -u
script=${1:?usage: hledger_balance.sh YZO_SCRIPT SCENARIOS_FOLDER}
scenarios=${2:?usage: hledger_balance.sh YZO_SCRIPT SCENARIOS_FOLDER}
if ! command -v hledger > /dev/null; then
  echo "SKIP: hledger is not installed (Debian package hledger, installed by scripts/install-deps.sh)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$scenarios/data/." "$work/"
cd "$work" || exit 1
if ! "$script" --dossier "$work" --aujourdhui 2026-03-01 --heure 10:00:00 "$scenarios/export-compte.scn" \
    > transcript.txt 2>&1; then
  cat transcript.txt; exit 1
fi
# The first number of a text, with a decimal point ("moins 12,5" and "-12.50 EUR" give -12.5).
number() { sed -e 's/moins /-/' -e 's/,/./g' | grep -o -m1 -- '-\?[0-9][0-9]*\(\.[0-9]*\)\?' | head -n 1; }
said() { grep -m1 "^message: *$1" transcript.txt | sed "s/^message: *$1//" | number; }
balance=$(said "solde opérations")
cash=$(said "solde des espèces")
# The account's balance with its sub-accounts: the accounts clipped at depth 2.
ledger_balance=$(hledger -f export-compte.journal balance -N --flat --depth 2 '^actif:' 2>&1) || { echo "$ledger_balance"; exit 1; }
ledger_cash=$(hledger -f export-compte.journal balance -N --flat ':espèces$' 2>&1) || { echo "$ledger_cash"; exit 1; }
status=0
check() {  # what, the program's number, hledger's output
  local found
  found=$(printf '%s\n' "$3" | number)
  if [ -z "$2" ] || [ -z "$found" ] || ! awk -v a="$2" -v b="$found" 'BEGIN { exit !(a - b < 0.005 && b - a < 0.005) }'; then
    echo "FAIL: $1: the program says '$2', hledger '$found'"; echo "$3"; status=1
  else
    echo "ok: $1 $2"
  fi
}
check "solde" "$balance" "$ledger_balance"
check "solde des espèces" "$cash" "$ledger_cash"
exit $status
