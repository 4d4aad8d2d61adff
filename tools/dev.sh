#!/usr/bin/env bash
# Set-up, build, and then run the editor (`run`), every test (`test`), or install it (`install
# [prefix]`, ~/.local by default; `uninstall [prefix]` removes what the install put there).
# `test` also builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a second
# build folder and runs every test there. VARNOTEK_WERROR=ON turns warnings into errors.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/tools/install-packages.sh"
build="${VARNOTEK_BUILD_DIR:-$root/build}"
sanitize_build="${VARNOTEK_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
werror="${VARNOTEK_WERROR:-OFF}"
packages=(cmake ninja-build g++ qt6-base-dev libqscintilla2-qt6-dev)
# What an install refreshes (the file type and desktop entry caches), and what the tests use.
desktop_packages=(desktop-file-utils shared-mime-info)
test_packages=(xvfb xauth poppler-utils libbenchmark-dev "${desktop_packages[@]}" xdg-utils libglib2.0-bin xdotool
               x11-utils imagemagick dpkg-dev)
# What an install wrote, kept under its own prefix where no other build or package run writes.
manifest_of() { echo "$1/share/varnotek/installed-files"; }


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
    install_missing "${packages[@]}" "${test_packages[@]}"
    configure_and_build
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
    sanitized_tests
    ;;
install)
    # Only what is installed is built, and it is installed stripped.
    install_missing "${packages[@]}" "${desktop_packages[@]}"
    prefix="$(realpath -m "${2:-$HOME/.local}")"
    [ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DVARNOTEK_WERROR="$werror" >/dev/null
    cmake --build "$build" -j"$(nproc)" --target varnotek Kelpo talvane-sim style-dump
    cmake --install "$build" --prefix "$prefix" --strip
    manifest="$(manifest_of "$prefix")"
    mkdir -p "$(dirname "$manifest")"
    { echo "$prefix"; cat "$build/install_manifest.txt"; echo; } >"$manifest"  # CMake ends it without a newline
    ;;
uninstall)
    # Only listed files under the prefix the install recorded; settings files and dncfile.tmp stay.
    prefix="$(realpath -m "${2:-$HOME/.local}")"
    manifest="$(manifest_of "$prefix")"
    [ -f "$manifest" ] || { echo "nothing installed under $prefix" >&2; exit 1; }
    [ "$(head -n1 "$manifest")" = "$prefix" ] || { echo "$manifest belongs to another prefix" >&2; exit 1; }
    refused=0
    while IFS= read -r file || [ -n "$file" ]; do
        [ -n "$file" ] || continue
        case "$(realpath -m -- "$(dirname -- "$file")")/" in
        "$prefix"/*) rm -f -- "$file" ;;
        *) echo "not removed, outside $prefix: $file" >&2; refused=1 ;;
        esac
    done < <(tail -n +2 "$manifest")
    rm -f -- "$manifest"
    rmdir --ignore-fail-on-non-empty -- "$(dirname "$manifest")" "$prefix/opt/varnotek" 2>/dev/null || true
    command -v update-mime-database >/dev/null && [ -d "$prefix/share/mime" ] &&
        update-mime-database "$prefix/share/mime" >/dev/null 2>&1
    command -v update-desktop-database >/dev/null && [ -d "$prefix/share/applications" ] &&
        update-desktop-database "$prefix/share/applications" >/dev/null 2>&1
    exit "$refused"
    ;;
*)
    echo "usage: $0 run|test|install [prefix]|uninstall [prefix]" >&2
    exit 2
    ;;
esac
