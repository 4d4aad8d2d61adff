#!/usr/bin/env bash
# Set-up, build, and then run the editor (`run`) or every test (`test`), on Debian 12.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VARNOTEK_BUILD_DIR:-$root/build}"
packages=(cmake ninja-build g++ qt6-base-dev libqscintilla2-qt6-dev xvfb xauth poppler-utils libbenchmark-dev)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local werror=OFF
    [ -n "${CI:-}" ] && werror=ON
    cmake -S "$root" -B "$build" -G Ninja -DVARNOTEK_WERROR="$werror" >/dev/null
    cmake --build "$build" -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    configure_and_build
    exec "$build/bin/varnotek" "$build/bin/sample.nc"
    ;;
test)
    install_missing
    configure_and_build
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
