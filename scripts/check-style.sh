#!/usr/bin/env bash
# Checks the house style: every tracked C++ file laid out as .clang-format says,
# and the core and yzo-script free of the faults .clang-tidy looks for.
# Usage: scripts/check-style.sh BUILD_FOLDER   (a configured build: its
# compile_commands.json tells clang-tidy how each file is compiled)
#        scripts/check-style.sh --fix          (lays out every file in place)
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t cpp_files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${cpp_files[@]}"
  exit 0
fi
build=${1:?usage: scripts/check-style.sh BUILD_FOLDER | --fix}
status=0
if ! clang-format --dry-run --Werror "${cpp_files[@]}"; then
  echo "check-style: layout differs from .clang-format (scripts/check-style.sh --fix lays it out)" >&2
  status=1
fi
mapfile -t tidy_files < <(git ls-files 'src/*.cpp' 'driver/*.cpp' | grep -v '_windows\.cpp$')
# clang reads the GCC build's flags: a warning option only GCC knows is no fault.
if ! printf '%s\n' "${tidy_files[@]}" |
    xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option 2>/dev/null; then
  echo "check-style: clang-tidy found faults (above)" >&2
  status=1
fi
exit $status
