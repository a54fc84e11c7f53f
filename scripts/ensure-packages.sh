# Installs the Debian packages that are missing from the list given as arguments.
# Sourced by run.sh and test.sh; uses sudo when not run as root.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# What every build needs: the compiler, CMake, GoogleTest, Google Benchmark, Qt 6
# and libpng (PNG in pixmill-tool).
PIXMILL_BUILD_PACKAGES=(g++ make cmake libgtest-dev libbenchmark-dev qt6-base-dev libpng-dev)
# What the test command needs beyond the build: clang for the fuzzers; dpkg-dev
# (dpkg-shlibdeps) and desktop-file-utils for the package check; Qt's private
# headers, through which the window tests queue keys as the window system does.
PIXMILL_TEST_PACKAGES=(clang dpkg-dev desktop-file-utils qt6-base-private-dev)
