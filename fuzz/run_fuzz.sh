#!/usr/bin/env bash
# Runs one fuzz target for a bounded time on a copy of its seed corpus:
#   run_fuzz.sh TARGET SEED_FOLDER SECONDS
# New inputs go to a temporary corpus, so that the committed seeds stay as
# they are; an input that breaks a check is kept as crash-* in the current
# folder, and the test fails. The seed and the number of inputs are fixed
# (YZO_FUZZ_SEED, 1 by default; YZO_FUZZ_RUNS, 8000) so that a test run walks
# the same inputs on every machine; the time is only an upper bound.
set -u
target=$(readlink -f "${1:?usage: run_fuzz.sh TARGET SEED_FOLDER SECONDS}")
# Absolute: the targets work inside a folder of their own.
seeds=$(readlink -f "${2:?seed folder}")
seconds=${3:-25}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$target" -seed="${YZO_FUZZ_SEED:-1}" -runs="${YZO_FUZZ_RUNS:-8000}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -max_len=65536 \
  -print_final_stats=1 -artifact_prefix="$PWD/crash-$(basename "$target")-" "$work" "$seeds"
