#!/usr/bin/env bash
# Takes the README's picture of the real windows under Xvfb.
# scripts/screenshot.sh [PALETTE ART TILE ZOOM OUTPUT]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${PIXMILL_BUILD_PACKAGES[@]}" xvfb xauth imagemagick openbox

palette=${1:-examples/PIXMILL.DAT}
art=${2:-examples/TILES000.ART}
tile=${3:-1}
zoom=${4:-4}
output=${5:-docs/screenshot.png}

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target pixmill-screenshot >/dev/null
mkdir -p "$(dirname "$output")"
# openbox draws the windows' title bars.
xvfb-run -a -s "-screen 0 1240x640x24" bash -c "
    (openbox >/dev/null 2>&1 &)
    sleep 1
    build/tests/pixmill-screenshot '$palette' '$art' '$tile' '$zoom' 6 &
    sleep 3
    import -window root '$output'
    wait"
echo "Wrote $output"
