#!/usr/bin/env bash
# Runs one fuzz target for a bounded time on a copy of its seed corpus:
#   run_fuzz.sh TARGET SEED_FOLDER SECONDS
# New inputs go to a temporary corpus, so that the committed seeds stay as
# they are; an input that breaks a check is kept as crash-* in the current
# folder, and the test fails. Two walks share the time:
# - a fixed one (YZO_FUZZ_SEED, 1 by default; at most YZO_FUZZ_RUNS inputs,
#   8000), the same inputs on every machine, for three fifths of the time;
# - a fresh one from a new random seed, printed, for the rest, so that every
#   run also looks where the others have not; YZO_FUZZ_FRESH_SEED=N walks the
#   same inputs again (from the committed seeds, as here).
set -u
target=$(readlink -f "${1:?usage: run_fuzz.sh TARGET SEED_FOLDER SECONDS}")
# Absolute: the targets work inside a folder of their own.
seeds=$(readlink -f "${2:?seed folder}")
seconds=${3:-25}
fixed_seconds=$(( seconds * 3 / 5 ))
(( fixed_seconds < 1 )) && fixed_seconds=1
fresh_seconds=$(( seconds - fixed_seconds ))
(( fresh_seconds < 1 )) && fresh_seconds=1
# libFuzzer takes 0 for "choose one yourself": a fresh seed is from 1 to 2^31-1.
fresh_seed=${YZO_FUZZ_FRESH_SEED:-$(( $(od -An -N4 -tu4 /dev/urandom) % 2147483647 + 1 ))}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs the target on a corpus folder of its own with the given options; the
# private folder of a target that crashed (yzo-fuzz-PID-*) is removed after it.
walk() {
  local corpus=$1; shift
  mkdir -p "$corpus"
  "$target" "$@" -timeout=10 -rss_limit_mb=2560 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$PWD/crash-$(basename "$target")-" "$corpus" "$seeds" &
  local pid=$!
  wait "$pid"
  local status=$?
  rm -rf /dev/shm/yzo-fuzz-"$pid"-* /tmp/yzo-fuzz-"$pid"-*
  return "$status"
}

status=0
echo "fuzz: fixed seed ${YZO_FUZZ_SEED:-1}, ${fixed_seconds} s at most"
walk "$work/fixed" -seed="${YZO_FUZZ_SEED:-1}" -runs="${YZO_FUZZ_RUNS:-8000}" -max_total_time="$fixed_seconds" || status=1
echo "fuzz: fresh seed $fresh_seed, ${fresh_seconds} s (replay: YZO_FUZZ_FRESH_SEED=$fresh_seed)"
walk "$work/fresh" -seed="$fresh_seed" -max_total_time="$fresh_seconds" || status=1
[ "$status" = 0 ] || echo "fuzz: a check failed (fixed seed ${YZO_FUZZ_SEED:-1}, fresh seed $fresh_seed)"
exit "$status"
