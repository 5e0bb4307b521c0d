#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (.clang-format at
# the root) would write; the diagnostics show where.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
