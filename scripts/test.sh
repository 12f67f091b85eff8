#!/usr/bin/env bash
# Installs what the tests need, then builds and runs every test twice: in an optimised build,
# and in a build with AddressSanitizer and UndefinedBehaviorSanitizer; a short fuzz run first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh --tests

# The tests drive real widgets on Qt's offscreen platform. The browser engine's sandbox cannot
# start as root (as CI runs); the tests switch it off through the engine's own setting.
export QT_QPA_PLATFORM=offscreen
if (( EUID == 0 )); then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi

jobs=$(nproc)

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$jobs"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null
cmake --build build/sanitize -j "$jobs"

echo "== A short fuzz run of each fuzz target (longer runs by hand: scripts/fuzz.sh SECONDS)"
scripts/fuzz.sh 6

# The sanitizer build's CTest summary closes the run.
echo "== Tests of the optimised build"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
