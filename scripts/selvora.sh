#!/usr/bin/env bash
# Sets up a Debian (bookworm) machine for Selvora, builds it, and then either
# starts the program or runs every test.
#
#   scripts/selvora.sh run    install what is missing, build, start build/bin/torven
#   scripts/selvora.sh test   install what is missing, build, run all tests with ctest
#   scripts/selvora.sh bench  install what is missing, build the benchmarks (Release) in build-bench/
#   scripts/selvora.sh package  install what is missing, build the Debian package in build-package/
#                               and check it with lintian
set -euo pipefail

mode=${1:-test}
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libsqlite3-dev libicu-dev libxlsxwriter-dev libshp-dev libzip-dev
    fonts-liberation2 fonts-dejavu-core
    sqlite3 unzip poppler-utils xvfb xdotool x11-utils imagemagick xlsx2csv
    clang libclang-rt-14-dev
)
# Only the package command checks what it built.
[ "$mode" = package ] && packages+=(lintian dpkg-dev fakeroot)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
case "$mode" in
run)
    cmake -S . -B build -G Ninja -DSELVORA_BUILD_BENCH=OFF
    cmake --build build -j "$jobs"
    exec build/bin/torven
    ;;
test)
    cmake -S . -B build -G Ninja -DSELVORA_BUILD_BENCH=OFF
    cmake --build build -j "$jobs"
    # No display is needed: widget tests run on Qt's offscreen platform, and
    # the few that drive real windows start their own Xvfb.
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
    # A short run of the Paradox reader's fuzzer (libFuzzer needs clang).
    if command -v clang++ >/dev/null; then
        CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSELVORA_FUZZ=ON -DSELVORA_BUILD_BENCH=OFF \
            -DSELVORA_ROOMS="text;engine;legacy;data" >/dev/null
        cmake --build build-fuzz -j "$jobs" --target fuzz_paradox
        sh tests/legacy/run-fuzz.sh build-fuzz 20
    fi
    ;;
bench)
    cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSELVORA_BUILD_TESTS=OFF
    cmake --build build-bench -j "$jobs"
    echo "Benchmarks are in build-bench/bin (see bench/README.md)."
    ;;
package)
    # Debian's hardening flags, all of them, as a Debian build would pass them
    # (given on every configure: the environment only seeds a new cache).
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    cflags="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    ldflags="$(dpkg-buildflags --get LDFLAGS)"
    cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DSELVORA_BUILD_TESTS=OFF -DSELVORA_BUILD_BENCH=OFF \
        -DCMAKE_C_FLAGS="$cflags" -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
        -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags"
    cmake --build build-package -j "$jobs"
    rm -f build-package/selvora_*.deb
    (cd build-package && cpack -G DEB)
    deb=$(ls build-package/selvora_*.deb)
    echo "Built $deb; lintian says:"
    # Errors fail the command; warnings and notes are shown.
    lintian --fail-on error --info "$deb"
    echo "Install it with: sudo apt install ./$deb"
    ;;
*)
    echo "usage: $0 run|test|bench|package" >&2
    exit 2
    ;;
esac
