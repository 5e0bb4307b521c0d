#!/usr/bin/env bash
# Builds everything and runs every test: the source checks (clang-format,
# clang-tidy), the native tests, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Windows tests under Wine.
# Ends with one line "N passed, N failed" summed over all of them; each source
# check counts as one test.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }

jobs=$(nproc)
passed=0; failed=0
run_preset() {
  local preset=$1
  echo "=== $preset: configure and build"
  if ! cmake --preset "$preset" -DTESSEL_WERROR=ON >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
    echo "=== $preset: BUILD FAILED"; failed=$((failed + 1)); return
  fi
  echo "=== $preset: test"
  local log; log=$(mktemp)
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
  local total bad
  total=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\2/p' "$log" | tail -n1)
  bad=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1/p' "$log" | tail -n1)
  if [ -z "$total" ]; then
    if grep -q "No tests were found" "$log"; then total=0; bad=0; else total=1; bad=1; fi
  fi
  passed=$((passed + total - bad)); failed=$((failed + bad))
  rm -f "$log"
}

# A check passes or fails as a whole.
run_check() {
  local name=$1; shift
  echo "=== check: $name"
  if "$@"; then passed=$((passed + 1)); else echo "=== check: $name FAILED"; failed=$((failed + 1)); fi
}
run_check clang-format bash scripts/check-format.sh
run_check clang-tidy bash scripts/check-tidy.sh
# The program, its help and the installer name no placeholder address (a
# ".example" domain): every link leads somewhere real.
run_check no-placeholder-addresses bash -c \
  "! git grep -nE '\.example([^[:alnum:]_-]|\$)' -- app res installer cli"
# The Windows sides build on the win32 base, never on the framework, the
# widgets or the wizard; the base builds on the platform alone.
run_check windows-layers bash -c \
  "! git grep -nE '#include \"(framework|widgets|app)/' -- '*_win32/*' win32_base &&
   ! git grep -n '#include \"' -- win32_base | grep -v ':#include \"win32_base/'"

presets=${TESSEL_PRESETS:-"native native-asan win32"}
for p in $presets; do run_preset "$p"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
