#!/bin/bash
# The Debian package, unpacked into a temporary root: its files and their
# validators, the account files' type, the Orca script's places, and the
# installed programs run with no display.
# Usage: test_package.sh DEB VERSION BUILT_YZO DEMO_FOLDER
set -u
deb=$1 version=$2 built_yzo=$3 demo=$4
fail() { echo "FAIL: $*"; exit 1; }
for tool in dpkg-deb desktop-file-validate appstreamcli gzip timeout \
            update-mime-database update-desktop-database gio; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[ "$(dpkg-deb -f "$deb" Package)" = yzo ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
# The dependencies come from the linked libraries, the toolkit among them.
for lib in libc6 libwx; do
    case "$depends" in *$lib*) ;; *) fail "Depends lacks $lib: $depends" ;; esac
done

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
for f in usr/bin/yzo usr/bin/yzo-script; do [ -x "$root/$f" ] || fail "$f is not installed"; done
[ -d "$root/usr/share/yzo" ] || fail "usr/share/yzo is not installed"
for f in applications/yzo.desktop icons/hicolor/scalable/apps/yzo.svg man/man1/yzo.1.gz man/man1/yzo-script.1.gz; do
    [ -f "$root/usr/share/$f" ] || fail "usr/share/$f is not installed"
done
for page in yzo yzo-script; do
    gzip -dc "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH .*yzo $version" \
        || fail "manual page $page(1) does not carry version $version"
done
metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml 2>/dev/null | head -n 1)
[ -n "$metainfo" ] || fail "no AppStream metainfo file is installed"
desktop-file-validate "$root/usr/share/applications/yzo.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "^Categories=Office;Finance;$" "$root/usr/share/applications/yzo.desktop" || fail "desktop categories"

# The account files' type, as GLib finds it with a type database and a desktop
# entries' cache built from the installed files alone (as the triggers do).
share="$work/share"
mkdir -p "$share/applications" "$work/bin" "$work/xdg-config"
cp -r "$root/usr/share/mime" "$share/mime" || fail "no shared-mime-info file is installed under usr/share/mime"
[ -f "$share/mime/packages/yzo.xml" ] || fail "usr/share/mime/packages/yzo.xml is not installed"
cp "$root/usr/share/applications/yzo.desktop" "$share/applications/"
timeout -k 5 60 update-mime-database "$share/mime" > "$work/mime.log" 2>&1 \
    || { cat "$work/mime.log"; fail "update-mime-database"; }
# update-mime-database ends with status 0 even when it cannot parse a file.
grep -q "^[0-9]*:application/x-yzo:\*\.yzo$" "$share/mime/globs2" \
    || { cat "$work/mime.log"; fail "the type database has no glob *.yzo for application/x-yzo"; }
timeout -k 5 60 update-desktop-database "$share/applications" || fail "update-desktop-database"
grep -q "^MimeType=\(.*;\)\?application/x-yzo;" "$share/applications/yzo.desktop" \
    || fail "the desktop entry does not declare application/x-yzo"
grep -q "^Exec=yzo %[fFuU]$" "$share/applications/yzo.desktop" || fail "the desktop entry does not pass the file to yzo"
ln -s "$root/usr/bin/yzo" "$work/bin/yzo"
printf ' 1 12026 S\036ESSAI\0360\0360\036EUROS\0363\r\n' > "$work/mon compte.yzo"
asked() {  # GLib's answer with only the package's files installed
    env LC_ALL=C.UTF-8 LANGUAGE= PATH="$work/bin:/usr/bin:/bin" XDG_DATA_HOME="$share" XDG_DATA_DIRS="$share" \
        XDG_CONFIG_HOME="$work/xdg-config" XDG_CONFIG_DIRS="$work/xdg-config" timeout -k 5 30 gio "$@" 2>&1
}
type=$(asked info -a standard::content-type "$work/mon compte.yzo")
case "$type" in *"standard::content-type: application/x-yzo"*) ;; *) fail "a .yzo file is not application/x-yzo: $type" ;; esac
opener=$(asked mime application/x-yzo)
case "$opener" in *"Default application for"*yzo.desktop*) ;; *) fail "no program opens application/x-yzo: $opener" ;; esac
echo "account files: application/x-yzo, opened by yzo.desktop"

# yzo's Orca script where Orca 43 looks for it for every user, and in
# share/yzo for the copy into a user's Orca folder.
apps="$root/usr/lib/python3/dist-packages/orca/scripts/apps"
[ -f "$apps/yzo/__init__.py" ] || fail "the Orca script is not installed as orca/scripts/apps/yzo/__init__.py"
[ -f "$root/usr/share/yzo/yzo.py" ] || fail "the Orca script is not installed in usr/share/yzo"
cmp -s "$apps/yzo/__init__.py" "$root/usr/share/yzo/yzo.py" || fail "the two installed Orca scripts differ"

# The installed programs run in a private home, with no display and no folder given.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" LC_ALL=C.UTF-8
export YZO_AUJOURDHUI=2026-12-06 YZO_HEURE=10:00:00
unset DISPLAY WAYLAND_DISPLAY YZO_DOSSIER XDG_DOCUMENTS_DIR
mkdir -p "$XDG_CONFIG_HOME"
run() { timeout -k 5 30 "$@" < /dev/null; }
yzo="$root/usr/bin/yzo"

for program in yzo yzo-script; do
    out=$(run "$root/usr/bin/$program" --version) || fail "$program --version ended with status $?"
    [ "$out" = "$program $version" ] || fail "$program --version said: $out"
done
run "$yzo" --help > "$work/help" || fail "yzo --help ended with status $?"
grep -q "^Utilisation : yzo" "$work/help" || fail "yzo --help is not the French usage"
run "$yzo" --inconnue > "$work/out" 2> "$work/err"
[ $? -eq 2 ] || fail "an unknown option must end with status 2"
grep -q "option inconnue" "$work/err" || fail "an unknown option is not reported"
# The window needs a display: its absence is a failure, said in French.
run "$yzo" > "$work/out" 2> "$work/err"
[ $? -eq 1 ] || fail "yzo with no display must end with status 1"
grep -q "aucun affichage" "$work/err" || fail "yzo with no display does not say why"

# The batch report on the demo by the installed program and by the build tree's: the same.
report() {  # report PROGRAM FOLDER
    mkdir -p "$2"
    cp -r "$demo/." "$2/"
    printf 'Comptes de démonstration\r\nNOM_COMPTE: courant.yzo\r\nSOLDE_TOTAL: total\r\n' \
        | iconv -f UTF-8 -t CP1252 > "$2/compta.txt"
    (cd "$2" && YZO_DOSSIER="$2" timeout -k 5 30 "$1" "$2/compta.txt" /C > "$2.out" 2> "$2.err" < /dev/null)
    echo $? > "$2.status"
    sed -i "s#$2#DOSSIER#g" "$2.out" "$2.err"
}
report "$yzo" "$work/installed"
report "$built_yzo" "$work/built"
status=$(cat "$work/installed.status")
[ "$status" = 0 ] || [ "$status" = 1 ] || { cat "$work/installed.err"; fail "batch report ended with status $status"; }
[ "$status" = "$(cat "$work/built.status")" ] || fail "batch report: status $status, the build tree's $(cat "$work/built.status")"
diff "$work/built.out" "$work/installed.out" || fail "batch report messages differ"
diff "$work/built.err" "$work/installed.err" || fail "batch report errors differ"
diff -r "$work/built" "$work/installed" || fail "batch report files differ"
if [ "$status" = 1 ]; then
    [ -s "$work/installed.err" ] || fail "batch report failed without saying why"
else
    ls "$work/installed"/*.prn > /dev/null 2>&1 || fail "batch report succeeded without a .prn file"
fi
echo "batch report: status $status, as the build tree's program"

# An installed program fills ~/.config/yzo from usr/share/yzo without replacing
# the user's files, and keeps its accounts in the documents folder's yzo.
mkdir -p "$XDG_CONFIG_HOME/yzo"
printf 'XDG_DOCUMENTS_DIR="$HOME/Mes documents"\n' > "$XDG_CONFIG_HOME/user-dirs.dirs"
printf '7\r\n' > "$XDG_CONFIG_HOME/yzo/Tva.txt"
touch "$work/marker"
run "$yzo" "$work/absent.txt" /C > "$work/out" 2> "$work/err"
[ $? -eq 1 ] || fail "a batch report whose command file is missing must end with status 1"
[ -s "$work/err" ] || fail "a missing command file is not reported"
[ "$(cat "$XDG_CONFIG_HOME/yzo/Tva.txt")" = "$(printf '7\r')" ] || fail "the user's Tva.txt was replaced"
(cd "$root/usr/share/yzo" && find . -type f) | while read -r f; do
    [ "$f" = ./Tva.txt ] && continue
    cmp -s "$root/usr/share/yzo/$f" "$XDG_CONFIG_HOME/yzo/$f" || fail "$f was not copied into ~/.config/yzo"
done || exit 1
[ -d "$HOME/Mes documents/yzo" ] || fail "the accounts folder ~/Mes documents/yzo was not made"
# Its report finds the accounts of the storage folder and those beside its command file.
cp "$demo/courant.yzo" "$HOME/Mes documents/yzo/courant.yzo"
mkdir -p "$work/club"
cp "$demo/courant.yzo" "$work/club/voisin.yzo"
printf 'NOM_COMPTE: courant.yzo\r\nNOM_COMPTE: voisin.yzo\r\nSOLDE_TOTAL: total\r\n' > "$work/club/club.txt"
run "$yzo" "$work/club/club.txt" /C > "$work/out" 2> "$work/err"
[ $? -eq 0 ] || { cat "$work/err"; fail "the installed program's report did not find its accounts"; }
[ -f "$work/club/club.prn" ] || fail "the installed program's report wrote no club.prn"
# The installed yzo-script finds the list of keys in its folder and keeps yzo.INI there.
echo start > "$work/quit.scn"
if [ -f "$root/usr/share/yzo/touche.txt" ]; then
    first=$(head -n 1 "$root/usr/share/yzo/touche.txt" | iconv -f CP1252 -t UTF-8 | tr -d '\r')
    printf 'menu mnuaideListeToucheItem\nexpect line "%s"\n' "$first" >> "$work/quit.scn"
fi
echo close >> "$work/quit.scn"
# The marker verorca.ini copies share/yzo's Orca script into a new user's Orca folder, and says so.
: > "$XDG_CONFIG_HOME/yzo/verorca.ini"
unset XDG_DATA_HOME
run "$root/usr/bin/yzo-script" "$work/quit.scn" > "$work/out" 2> "$work/err" \
    || { cat "$work/out" "$work/err"; fail "installed yzo-script ended with status $?"; }
user_scripts="$HOME/.local/share/orca/orca-scripts"
cmp -s "$root/usr/share/yzo/yzo.py" "$user_scripts/yzo.py" || fail "the marker did not copy the Orca script into $user_scripts"
[ -f "$user_scripts/__init__.py" ] || fail "the user's Orca scripts folder is not a package"
[ ! -e "$XDG_CONFIG_HOME/yzo/verorca.ini" ] || fail "the marker verorca.ini was not deleted"
grep -q "script Orca installé dans $user_scripts, redémarrez Orca" "$work/out" \
    || { cat "$work/out"; fail "the copy of the Orca script was not said"; }
[ -f "$XDG_CONFIG_HOME/yzo/yzo.INI" ] || fail "yzo.INI is not kept in ~/.config/yzo"
written=$(find "$root" -newer "$work/marker" | head -n 5)
[ -z "$written" ] || fail "the installed tree was written to: $written"
echo "package: ok (yzo $version)"
