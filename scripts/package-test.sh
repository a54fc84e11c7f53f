#!/usr/bin/env bash
# Checks what an installation holds, from a finished build (default build/):
# the Debian package made by cpack, unpacked into a scratch root (never
# installed on this machine), and `cmake --install` into a scratch prefix. In
# both, the files are where they belong, the programs run from there, and the
# editor starts with no display. Called by test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "package-test: $*" >&2
    exit 1
}

# The files an installation under prefix must hold.
check_tree() {
    local prefix=$1
    local file
    for file in bin/pixmill bin/pixmill-tool share/applications/pixmill.desktop \
        share/mime/packages/pixmill.xml share/man/man1/pixmill-tool.1 \
        share/icons/hicolor/48x48/apps/pixmill.png share/icons/hicolor/256x256/apps/pixmill.png; do
        [ -s "$prefix/$file" ] || fail "$prefix/$file is missing"
    done
    [ -x "$prefix/bin/pixmill" ] && [ -x "$prefix/bin/pixmill-tool" ] || fail "programs not executable"
    grep -q '^Exec=pixmill %f$' "$prefix/share/applications/pixmill.desktop" ||
        fail "the desktop entry does not open files"
    grep -q '^MimeType=application/x-build-art;$' "$prefix/share/applications/pixmill.desktop" ||
        fail "the desktop entry does not claim ART files"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$prefix/share/applications/pixmill.desktop" ||
            fail "the desktop entry is not valid"
    fi
    # 256 x 256, 8-bit RGBA: bytes 16 to 25 of the PNG's header.
    [ "$(od -An -tx1 -j16 -N10 "$prefix/share/icons/hicolor/256x256/apps/pixmill.png" | tr -d ' \n')" \
        = 00000100000001000806 ] || fail "the icon is not a 256 x 256 RGBA PNG"
    if command -v man >/dev/null; then
        MANWIDTH=80 man -l "$prefix/share/man/man1/pixmill-tool.1" 2>/dev/null |
            grep -q -- '--match-palette' || fail "the manual page does not read"
    fi

    # The installed pixmill-tool at work on the examples.
    "$prefix/bin/pixmill-tool" info examples/TILES000.ART | grep -q '^tiles 35$' ||
        fail "the installed pixmill-tool cannot read examples/TILES000.ART"
    mkdir -p "$scratch/out"
    "$prefix/bin/pixmill-tool" export examples/TILES000.ART examples/PIXMILL.DAT \
        "$scratch/out/t.png" 7 2>/dev/null || fail "the installed pixmill-tool cannot export a PNG"
    [ -s "$scratch/out/t0001.PNG" ] || fail "no PNG was exported"
    rm -rf "$scratch/out"

    # The editor: --version where the command line has it, then a start with
    # no display, still running when it is stopped after three seconds.
    if version=$(QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/pixmill" --version 2>/dev/null); then
        echo "package-test: $version"
    fi
    local status=0
    # Its settings go to the scratch folder, never to those of the user running this.
    XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen timeout 3 \
        "$prefix/bin/pixmill" examples/TILES000.ART >/dev/null 2>"$scratch/editor.err" || status=$?
    [ "$status" -eq 124 ] || {
        cat "$scratch/editor.err" >&2
        fail "the installed editor ended with status $status instead of running"
    }
}

# The Debian package, made in the scratch folder and unpacked there.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/deb" >/dev/null
deb=$(ls "$scratch"/deb/pixmill_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libpng16-16; do
    [[ "$depends" == *"$library"* ]] || fail "the package does not depend on $library ($depends)"
done
[ "$(dpkg-deb -f "$deb" Package)" = pixmill ] || fail "the package is not named pixmill"
dpkg-deb -x "$deb" "$scratch/root"
check_tree "$scratch/root/usr"
# Whether apt would install it here: a simulation, nothing is changed.
if command -v apt-get >/dev/null; then
    apt-get install -s -q "$deb" >"$scratch/apt.log" 2>&1 || {
        cat "$scratch/apt.log" >&2
        fail "apt-get would not install $deb"
    }
fi
echo "package-test: $(basename "$deb") unpacks, runs and starts"

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
check_tree "$scratch/prefix"
echo "package-test: cmake --install gives the same files"
