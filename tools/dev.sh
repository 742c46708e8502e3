#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian machine, builds, and starts Margino or checks it.
#   tools/dev.sh run     install what is missing, build (Release), start the program
#   tools/dev.sh test    install what is missing, check formatting and layers, build with
#                        warnings as errors, run every test headless (what CI runs)
#   tools/dev.sh check   the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

# qt6-charts-dev's CMake files need libqt6opengl6-dev, which Debian does not pull in.
packages=(g++ make cmake qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-charts-dev
          libqt6opengl6-dev qt6-qpa-plugins libgl-dev libsqlite3-dev fonts-liberation fonts-dejavu-core
          qt6-translations-l10n desktop-file-utils appstream file dpkg-dev clang-format
          libxlsxwriter-dev pkgconf unzip)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Every C++ file follows .clang-format, and every include points down the layers.
gates() {
    find src tests bench tools -name '*.cpp' -o -name '*.h' | sort |
        xargs clang-format --dry-run -Werror
    tools/check-layers
}

build() { # folder, then extra CMake arguments
    local folder=$1
    shift
    # A compiler cache, when the machine has one, shares objects between work trees.
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    CCACHE_BASEDIR=$PWD cmake -S . -B "$folder" "${launcher[@]}" "$@" >/dev/null
    CCACHE_BASEDIR=$PWD cmake --build "$folder" -j "$(nproc)"
}

suite() {
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
}

case "${1:-}" in
run)
    build build -DCMAKE_BUILD_TYPE=Release
    exec build/bin/margino
    ;;
test)
    gates
    build build -DCMAKE_BUILD_TYPE=Release -DMARGINO_WERROR=ON
    suite build
    ;;
check)
    build build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARGINO_WERROR=ON \
        -DMARGINO_SANITIZE=ON -DMARGINO_BENCHMARKS=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 suite build-sanitize
    ;;
*)
    echo "usage: $0 run|test|check" >&2
    exit 2
    ;;
esac
