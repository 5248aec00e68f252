#!/bin/bash
# `yzo COMMANDFILE /C [/S]` runs the accounting report with no display, without
# the toolkit, printing nothing on standard output and its errors on standard
# error; status 0 the report is written whole, 1 a failure, 2 bad usage.
# Usage: report_without_display.sh YZO SCENARIO_DATA_FOLDER DEMO_FOLDER HELP_FOLDER
set -u
yzo=$(readlink -f "$1") data=$(readlink -f "$2") demo=$(readlink -f "$3") help=$(readlink -f "$4")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# run NAME EXPECTED_STATUS ARGS...: runs yzo in a fresh copy of the data.
run() {
    local name=$1 want=$2 dir="$work/$1"
    shift 2
    mkdir -p "$dir" && cp -r "$data/." "$dir/" && cp "$data/compta-ini.txt" "$dir/yzo.INI"
    (cd "$dir" && timeout -k 5 30 env -u DISPLAY -u WAYLAND_DISPLAY YZO_DOSSIER="$dir" \
        YZO_AUJOURDHUI=2026-12-06 YZO_HEURE=10:00:00 "$yzo" "$@" > "$dir.out" 2> "$dir.err" < /dev/null)
    status=$?
    [ "$status" = "$want" ] || fail "$name: status $status, expected $want"
    [ -s "$dir.out" ] && { fail "$name: something was printed on standard output"; cat "$dir.out"; }
    grep -qi "display\|gtk\|wx" "$dir.err" && { fail "$name: the toolkit was started"; cat "$dir.err"; }
}
# said NAME TEXT: standard error holds the text.
said() { grep -qF "$2" "$work/$1.err" || { fail "$1: standard error lacks \"$2\""; cat "$work/$1.err"; }; }

# A report made whole: status 0, nothing said, the file as expected (switches in any case).
run detaille 0 compta-fenetre.txt /C
[ -s "$work/detaille.err" ] && { fail "detaille: a report made whole said something"; cat "$work/detaille.err"; }
grep -q "Porte-monnaie" "$work/detaille/compta-fenetre.prn" 2>/dev/null || fail "detaille: no report in compta-fenetre.prn"
# The scenarios compta-* check the reports of these command files; here, that
# yzo reads its switches as yzo-script does and says the messages on standard error.
run mots 1 "$work/mots/compta-mots.txt" /c
run simple 1 compta-mots.txt /C /s
cmp -s "$work/simple/compta-mots.prn" "$data/expected/compta-mots-simple.prn" || fail "simple: the report differs from expected/compta-mots-simple.prn"
# The report is written, but what is wrong in it makes the run fail, each said on standard error.
said mots "Fichier absent.yzo inconnu, cherché dans stock/ et $work/mots/"
run unites 1 compta-unites.txt /C
said unites "unité différente de votre premier compte!"
run abime 1 compta-abime.txt /C
said abime "compta-abimee.yzo, ligne 3 sur cumul"

# A missing command file: nothing written.
run absent 1 absent.txt /C
said absent "fichier de comptabilité absent.txt inconnu"
[ -e "$work/absent/absent.prn" ] && fail "absent: a report was written"
# The report cannot be written: a folder stands where the file would go.
mkdir -p "$work/ecriture/compta-fenetre.prn"
run ecriture 1 compta-fenetre.txt /C
said ecriture "sur AppelCompta"
# No command file named: bad usage.
run usage 2 /C
said usage "yzo FICHIER_DE_COMMANDE /C"

# The example command file of the help menu runs as it stands on the demo folder.
mkdir -p "$work/demo"
cp -r "$demo/." "$work/demo/"
cp "$help/club.txt" "$work/demo/"
(cd "$work/demo" && timeout -k 5 30 env -u DISPLAY -u WAYLAND_DISPLAY YZO_DOSSIER="$work/demo" \
    "$yzo" club.txt /C > "$work/demo.out" 2> "$work/demo.err" < /dev/null) || fail "club.txt on the demo: status $?"
[ -s "$work/demo.out" ] || [ -s "$work/demo.err" ] && { fail "club.txt on the demo said something"; cat "$work/demo.out" "$work/demo.err"; }
grep -q "SOLDE TOTAL DU COMPTE" "$work/demo/club.prn" 2>/dev/null || fail "club.txt on the demo: no account in club.prn"

# A path that merely holds "/c" is an account to open, in the window: with no
# display that must fail, which shows the report was not taken for it.
mkdir -p "$work/comptes"
if timeout -k 5 30 env -u DISPLAY -u WAYLAND_DISPLAY YZO_DOSSIER="$work" \
        "$yzo" "$work/comptes/courant.yzo" > "$work/out" 2> "$work/err" < /dev/null; then
    fail "yzo $work/comptes/courant.yzo ran without a display"
fi
[ $failed = 0 ] && echo "report without display: ok"
exit $failed
