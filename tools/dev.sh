#!/usr/bin/env bash
# Sets up a Debian machine, builds and either starts Margino or runs every test.
#   tools/dev.sh run    install what is missing, build (Release), start the program
#   tools/dev.sh test   install what is missing, build, run every test headless
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ make cmake qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6
          qt6-qpa-plugins libgl-dev libsqlite3-dev fonts-liberation fonts-dejavu-core
          qt6-translations-l10n desktop-file-utils appstream file dpkg-dev)

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

build=build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)"

case "${1:-}" in
run)
    exec "$build/bin/margino"
    ;;
test)
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
