#!/usr/bin/env bash
# Line coverage of src/ and driver/ by the unit tests and the scenarios:
# builds without the window in its own folder with gcov's instrumentation,
# runs yzo_tests once and every scenario, then sums with gcovr.
# Usage: scripts/coverage.sh [gcovr options...]   (e.g. --html-details cov.html)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${YZO_COVERAGE_BUILD:-build-cov}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DYZO_GUI=OFF -DYZO_TESTS=ON \
  -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$build" -j"$(nproc)" --target yzo_tests yzo-script
find "$build" -name '*.gcda' -delete
# The notes of unit test files since removed would stop gcovr.
for notes in "$build"/tests/CMakeFiles/yzo_tests.dir/unit/*.gcno; do
  source=$(basename "$notes" .gcno)
  [ -e "tests/unit/$source" ] || rm -f "$notes"
done
"$build"/tests/yzo_tests --gtest_brief=1
(cd "$build" && ctest -R '^scenario\.' -j"$(nproc)" --timeout 300 --output-on-failure)
gcovr --root . --filter 'src/' --filter 'driver/' --print-summary "$@" "$build" | tail -3
