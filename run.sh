#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${PIXMILL_BUILD_PACKAGES[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

if [ -x build/app/pixmill ]; then
    exec build/app/pixmill "$@"
fi
echo "The editor's window is not part of this build yet."
echo "The command-line companion is ready: build/tools/pixmill-tool --help"
