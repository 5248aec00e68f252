#!/usr/bin/env bash
# Runs a Windows program under Wine the way a test runs its Linux build:
#   YZO_WINE_PROGRAM=PROGRAM.exe under_wine.sh ARGUMENT...
# so that it stands where a test expects the Linux program (YZO_SCRIPT).
# Each argument that is an absolute path of this machine is given to the
# program as its Windows path (Z:\...). In what the program prints, "\" becomes
# "/" and those Windows paths come back as they were given, so that its
# output compares with the Linux program's up to the path separator. The exit
# status is the program's. WINEPREFIX is the test's own (set by the caller).
set -u
program=${YZO_WINE_PROGRAM:?YZO_WINE_PROGRAM must name the Windows program}
wine=${YZO_WINE:-wine}
export WINEDEBUG=${WINEDEBUG:--all}
args=()
back=()
for a in "$@"; do
  if [[ $a == /* ]]; then
    w=$(winepath -w "$a" 2>/dev/null)
    args+=("$w")
    # The sed expression that turns the printed form back into the given path.
    printed=${w//\\//}
    back+=(-e "s#${printed//#/\\#}#${a//#/\\#}#g")
  else
    args+=("$a")
  fi
done
"$wine" "$program" "${args[@]}" | sed -e 's#\\#/#g' "${back[@]}"
exit "${PIPESTATUS[0]}"
