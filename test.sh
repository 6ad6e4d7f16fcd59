#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
# With --sanitize the suite is built with AddressSanitizer and UndefinedBehaviorSanitizer (in build-asan).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
mx_install_deps
dir=build
args=()
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    args=(-DMENSURIX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    # Leaks inside the desktop libraries (fontconfig, X) are not ours to fix.
    export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
mx_build "$dir" "${args[@]}"
ctest --test-dir "$dir" --output-on-failure --timeout 300
