#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build,
# then the core tests and pixmill-tool again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${PIXMILL_BUILD_PACKAGES[@]}" "${PIXMILL_TEST_PACKAGES[@]}"

jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXMILL_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPIXMILL_SANITIZE=ON -DPIXMILL_WERROR=ON
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# A short pass of every fuzzer (clang, into build-fuzz/), so that a reader that
# starts to crash on some input shows here.
PIXMILL_FUZZ_BUILD=build-fuzz scripts/fuzz.sh 10

# The Debian package and `cmake --install` of build/, each into a scratch folder.
scripts/package-test.sh build
