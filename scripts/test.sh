#!/usr/bin/env bash
# Builds yzo with AddressSanitizer and UndefinedBehaviorSanitizer and runs every
# test; then builds the fuzz targets with clang in a folder of their own and
# runs each for a bounded time (YZO_FUZZ_SECONDS, 25 by default); then, where
# Wine is installed, the Windows build and its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${YZO_TEST_BUILD:-build-test}
fuzz_build=${YZO_FUZZ_BUILD:-build-fuzz}
# The benchmarks are built (not run: they time on a quiet machine) so that they keep compiling.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DYZO_SANITIZE=ON -DYZO_GUI=ON -DYZO_TESTS=ON -DYZO_WERROR=ON \
  -DYZO_BENCHMARKS=ON
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
# Where Wine is installed, the Windows build too: scripts/build-windows.sh
# cross-builds both programs and their tests against the cached wxMSW (built
# once when missing) and makes the installer; its tests then run under Wine.
windows_build=${YZO_WINDOWS_BUILD:-build-windows}
if command -v wine >/dev/null; then
  (YZO_WINDOWS_BUILD="$PWD/$windows_build" YZO_JOBS=$(nproc) bash scripts/build-windows.sh &&
    cd "$windows_build" && ctest -L windows --output-on-failure --timeout 300) || status=1
fi
exit $status
