#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs them all. Any report, from a test or from a program a test
# starts, fails the run.
# Usage: scripts/sanitize.sh   (after scripts/setup.sh has installed the packages)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-asan
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMO_SANITIZE=ON
cmake --build "$build"

reports="$(mktemp -d)"
trap 'rm -rf "$reports"' EXIT
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"

status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" || status=$?
if compgen -G "$reports/*" > /dev/null; then
  echo "Sanitizer reports:"
  for report in "$reports"/*; do
    echo "== $report"
    cat "$report"
  done
  status=1
fi
exit "$status"
