#!/usr/bin/env bash
# Set-up, build, and then run the editor (`run`), every test (`test`), or install it (`install
# [prefix]`, ~/.local by default; `uninstall` removes what the last install put there).
# `test` also builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a second
# build folder and runs every test there. VARNOTEK_WERROR=ON turns warnings into errors.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/tools/install-packages.sh"
build="${VARNOTEK_BUILD_DIR:-$root/build}"
sanitize_build="${VARNOTEK_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
werror="${VARNOTEK_WERROR:-OFF}"
packages=(cmake ninja-build g++ qt6-base-dev libqscintilla2-qt6-dev xvfb xauth poppler-utils libbenchmark-dev
          desktop-file-utils xdg-utils shared-mime-info libglib2.0-bin xdotool x11-utils imagemagick)


configure_and_build() {
    cmake -S "$root" -B "$build" -G Ninja -DVARNOTEK_WERROR="$werror" >/dev/null
    cmake --build "$build" -j"$(nproc)"
}

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer (-O1 with line
# tables: quicker to build, and the reports still name file and line).
sanitized_tests() {
    cmake -S "$root" -B "$sanitize_build" -G Ninja -DVARNOTEK_WERROR="$werror" -DVARNOTEK_SANITIZE=ON \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" >/dev/null
    cmake --build "$sanitize_build" -j"$(nproc)"
    ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
        LSAN_OPTIONS="suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0" \
        QT_QPA_PLATFORM=offscreen ctest --test-dir "$sanitize_build" --output-on-failure -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing "${packages[@]}"
    configure_and_build
    exec "$build/bin/varnotek" "$build/bin/sample.nc"
    ;;
test)
    install_missing "${packages[@]}"
    configure_and_build
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
    sanitized_tests
    ;;
install)
    install_missing "${packages[@]}"
    configure_and_build
    cmake --install "$build" ${2:+--prefix "$2"}
    ;;
uninstall)
    manifest="$build/install_manifest.txt"
    [ -f "$manifest" ] || { echo "nothing installed from $build" >&2; exit 1; }
    # Only what the install wrote: settings files and dncfile.tmp beside the program stay.
    while IFS= read -r file; do rm -f -- "$file"; done <"$manifest"
    program_folder="$(dirname "$(grep -m1 '/varnotek$' "$manifest" | grep -v '/bin/varnotek$' || true)")"
    [ -d "$program_folder" ] && rmdir --ignore-fail-on-non-empty "$program_folder"
    mime="$(dirname "$(dirname "$(grep -m1 '/mime/packages/' "$manifest")")")"
    command -v update-mime-database >/dev/null && [ -d "$mime" ] && update-mime-database "$mime" >/dev/null 2>&1
    rm -f "$manifest"
    ;;
*)
    echo "usage: $0 run|test|install [prefix]|uninstall" >&2
    exit 2
    ;;
esac
