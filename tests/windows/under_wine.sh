#!/usr/bin/env bash
# Runs a Windows program under Wine where a test expects the Linux program:
#   YZO_WINE_PROGRAM=PROGRAM.exe under_wine.sh ARGUMENT...
# Absolute paths among the arguments go in as Windows paths (Z:\...) and come
# back as given in the output, where "\" becomes "/", so that it compares with
# the Linux program's. The exit status is the program's; WINEPREFIX is the caller's.
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
