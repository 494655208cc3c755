#!/usr/bin/env bash
# Builds both presets and runs every test: the kit and the program under wine64 on a
# private X display with a compositor. Installs what is missing first.
#   TEST_DISPLAY=:N  run the tests on that display instead of a private one.
#   extra arguments go to ctest, e.g. -R Compose
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$repo_root/scripts/lib/display.sh"
source "$repo_root/scripts/lib/wine.sh"

ensure_packages "${build_packages[@]}" "${run_packages[@]}"
build_host_tools
build_presets mingw-x86 mingw-x64

cleanup() {
    stop_wineserver
    stop_private_display
}
trap cleanup EXIT

if [ -n "${TEST_DISPLAY:-}" ]; then
    export DISPLAY=$TEST_DISPLAY
else
    start_private_display 1920x1080
fi
export CROSSHAIR_TEST_TMP=$repo_root/build/test-tmp
rm -rf "$CROSSHAIR_TEST_TMP" && mkdir -p "$CROSSHAIR_TEST_TMP"
create_wine_prefix "$repo_root/build/wineprefix"
start_wineserver

cd "$repo_root"
ctest --preset mingw-x64 "$@"
