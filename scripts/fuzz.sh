#!/usr/bin/env bash
# Runs one fuzz target for real: built with clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer in build/fuzz, starting from its seed corpus
# (fuzz/corpus/TARGET) and from what earlier runs kept (build/fuzz/corpus/TARGET,
# never committed). A finding lands in build/fuzz/findings/TARGET/: fix it and
# add the input to fuzz/corpus/TARGET/, where every test run replays it.
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
# TARGET: store_scan, deep_scan, header_fields, address_book, html, draw_manager, mbox,
# mail_header, encoded_words, address_list, mail_date, header_value, mime, html_text.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

target=${1:?usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]}
seconds=${2:?usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]}
shift 2
[ -d "fuzz/corpus/$target" ] || { echo "fuzz.sh: no target '$target' (see fuzz/corpus/)" >&2; exit 2; }

bash scripts/setup.sh fuzz
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTESSEL_FUZZ=ON -DTESSEL_SANITIZE=ON >/dev/null
nice -n 19 cmake --build "$build" --target "${target}_fuzz" -j 2 | grep -v '^\[' || true
[ -x "$build/fuzz/${target}_fuzz" ] || { echo "fuzz.sh: ${target}_fuzz did not build" >&2; exit 1; }

# Stores and address books need room for several records and block edges.
case "$target" in
  store_scan | deep_scan) max_len=70000 ;;
  address_book) max_len=12000 ;;
  *) max_len=4096 ;;
esac
mkdir -p "$build/corpus/$target" "$build/findings/$target"
# The timeout is wall time: at the lowest priority on a busy machine, an input
# that takes milliseconds may wait seconds for a core.
exec nice -n 19 "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len="$max_len" -timeout=60 \
  -rss_limit_mb=2048 -artifact_prefix="$build/findings/$target/" -print_final_stats=1 "$@" \
  "$build/corpus/$target" "fuzz/corpus/$target"
