#!/usr/bin/env bash
# Builds both presets and prints the benchmarks' figures, run under wine64 on a private
# display with a compositor, like the tests, and the sizes of both exes.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$repo_root/scripts/lib/display.sh"
source "$repo_root/scripts/lib/wine.sh"

ensure_packages "${build_packages[@]}" "${run_packages[@]}"
build_presets mingw-x86 mingw-x64

cleanup() {
    stop_wineserver
    stop_private_display
}
trap cleanup EXIT
start_private_display 1920x1080
create_wine_prefix "$repo_root/build/wineprefix-bench"
start_wineserver

"$wine64_loader" "$repo_root/build/mingw-x64/kit_bench.exe"
"$wine64_loader" "$repo_root/build/mingw-x64/startup_bench.exe"
for preset in mingw-x86 mingw-x64; do
    printf 'size of build/%s/crosshair.exe: %s bytes\n' "$preset" \
        "$(stat -c %s "$repo_root/build/$preset/crosshair.exe")"
done
