#!/usr/bin/env bash
# Installs what is missing, builds the editor and pixmill-tool, and starts the
# editor with any arguments given (./run.sh --palette P.DAT TILES000.ART).
#
# It builds into build-run/, not build/: test.sh configures build/ with the
# tests and benchmarks on, and an option switched off here would stay off in
# that folder's cache and leave test.sh with nothing to run.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh

echo "run.sh: checking the packages the build needs (installing any that are missing)"
ensure_packages "${PIXMILL_BUILD_PACKAGES[@]}"

echo "run.sh: configuring build-run/ (the editor and pixmill-tool only; no tests, no benchmarks)"
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPIXMILL_BUILD_TESTS=OFF -DPIXMILL_BUILD_BENCH=OFF >/dev/null

echo "run.sh: building pixmill and pixmill-tool (the first build takes a few minutes)"
cmake --build build-run -j "$(nproc)" --target pixmill pixmill-tool

echo "run.sh: starting build-run/app/pixmill; pixmill-tool is build-run/tools/pixmill-tool"
exec build-run/app/pixmill "$@"
