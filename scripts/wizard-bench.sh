#!/usr/bin/env bash
# The wizard's speed with a store of many small messages (100,000 by default):
# the real program under Wine, driven from outside (bench/win32/wizard_drive),
# from the open-file dialog's Open to the scan's end, against
# `tessel scan --format tsv` of the same index run natively in the same run.
# Prints both times, the ratio (target: at most 20) and the longest time the
# window took to answer during the scan (target: under 100 ms).
#
#   scripts/wizard-bench.sh [MESSAGES]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
messages=${1:-100000}

cmake --preset native >/dev/null && cmake --build --preset native --target tessel -j2 >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 --target tessel_program wizard_drive -j2 >/dev/null

data=build/native/bench/wizard-data-$messages
[ -f "$data/Small.imh" ] || python3 bench/make_small_store.py "$data" "$messages"
index="$here/$data/Small.imh"

# Native: the best of three runs.
best=""
for _ in 1 2 3; do
  start=$(date +%s.%N)
  rows=$(build/native/cli/tessel scan --format tsv "$index" | wc -l)
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc -l)
  if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
done

to_wine() { echo "Z:${1//\//\\}"; }
out=$(bash scripts/wine-run.sh build/win32/bin/wizard_drive.exe \
  "$(to_wine "$here/build/win32/bin/Oxbrim Tessel IncrediMail.exe")" "$(to_wine "$index")" "$rows" | tr -d '\r')
echo "$out"
wizard=$(echo "$out" | sed -n 's/.*wizard_seconds=\([0-9.]*\).*/\1/p')
[ -n "$wizard" ] || { echo "wizard-bench: the wizard run failed"; exit 1; }
printf 'messages: %s  rows: %s\n' "$messages" "$rows"
printf 'tessel scan --format tsv (native): %.3f s\n' "$best"
printf 'wizard under Wine, Open to scan end: %.3f s\n' "$wizard"
printf 'ratio: %.1fx (target: at most 20x)\n' "$(echo "$wizard / $best" | bc -l)"
