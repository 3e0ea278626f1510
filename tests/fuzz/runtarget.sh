#!/usr/bin/env bash
# Runs one fuzz target over its seeds:
#   runtarget.sh [--keep] <binary> <tests/fuzz> <scratch> <libFuzzer flags...>
# New inputs go to <scratch>/<target> (emptied first unless --keep), never into the seed
# corpus; a crash leaves its input in <scratch>/<target>-artifacts/ (emptied first).
set -euo pipefail
keep=0
if [ "${1:-}" = --keep ]; then
  keep=1
  shift
fi
binary=$1 source=$2 scratch=$3
shift 3
name=$(basename "$binary")
rm -rf "${scratch:?}/$name-artifacts"
[ $keep -eq 1 ] || rm -rf "${scratch:?}/$name"
mkdir -p "$scratch/$name" "$scratch/$name-artifacts"
export LSAN_OPTIONS="suppressions=$source/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
# Leaks are checked once, when the run ends, not after every input: Qt's own leak (see
# lsan.supp) would otherwise start a leak check on every input that repeats a key, which
# slows a target down tenfold.
exec "$binary" -detect_leaks=0 -dict="$source/dict/$name.dict" -artifact_prefix="$scratch/$name-artifacts/" \
    "$@" "$scratch/$name" "$source/corpus/$name"
