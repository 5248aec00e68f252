#!/usr/bin/env bash
# Builds yzo with AddressSanitizer and UndefinedBehaviorSanitizer and runs every
# test; then builds the fuzz targets with clang in a folder of their own and
# runs each for a bounded time (YZO_FUZZ_SECONDS, 25 by default); then the
# Windows build's tests under Wine, when that build and Wine are there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${YZO_TEST_BUILD:-build-test}
fuzz_build=${YZO_FUZZ_BUILD:-build-fuzz}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DYZO_SANITIZE=ON -DYZO_GUI=ON -DYZO_TESTS=ON -DYZO_WERROR=ON
cmake --build "$build" -j"$(nproc)"
CC=clang CXX=clang++ cmake -S . -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYZO_FUZZ=ON \
  -DYZO_GUI=OFF -DYZO_TESTS=OFF -DYZO_WERROR=ON -DYZO_FUZZ_SECONDS="${YZO_FUZZ_SECONDS:-25}"
cmake --build "$fuzz_build" -j"$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
bash scripts/check-style.sh "$build" || status=1
(cd "$build" && ctest --output-on-failure --timeout 300) || status=1
(cd "$fuzz_build" && ctest --output-on-failure --timeout 300) || status=1
# The Windows build's tests under Wine, where that build was made
# (scripts/build-windows.sh) and Wine is installed.
windows_build=${YZO_WINDOWS_BUILD:-build-windows}
if [ -f "$windows_build/CTestTestfile.cmake" ] && command -v wine >/dev/null; then
  (cmake --build "$windows_build" -j"$(nproc)" && cd "$windows_build" &&
    ctest -L windows --output-on-failure --timeout 300) || status=1
fi
exit $status
