#!/usr/bin/env bash
# Builds the x64 preset and prints the benchmarks' figures, run under wine64 on a private
# display with a compositor, like the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$repo_root/scripts/lib/display.sh"
source "$repo_root/scripts/lib/wine.sh"

ensure_packages "${build_packages[@]}" "${run_packages[@]}"
build_presets mingw-x64

cleanup() {
    stop_wineserver
    stop_private_display
}
trap cleanup EXIT
start_private_display 1920x1080
create_wine_prefix "$repo_root/build/wineprefix-bench"
start_wineserver

"$wine64_loader" "$repo_root/build/mingw-x64/kit_bench.exe"
