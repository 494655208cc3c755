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

# CPU time (user + system, in clock ticks) the kernel has counted for a Unix process.
cpu_ticks() {
    local stat
    stat=$(<"/proc/$1/stat")
    stat=${stat##*) } # past "pid (name) "
    awk '{print $12 + $13}' <<<"$stat"
}

# CPU used over 30 s of idling by crosshair.exe and by a program that only shows a window,
# both running at once. Wine's GetProcessTimes reads 0, so the kernel's count for each
# program's Unix process is read instead; the wineserver, which both talk to, is shown too.
idle_cpu() {
    local seconds=30 hz
    hz=$(getconf CLK_TCK)
    "$wine64_loader" "$repo_root/build/mingw-x64/crosshair.exe" >/dev/null 2>&1 </dev/null &
    local crosshair=$!
    "$wine64_loader" "$repo_root/build/mingw-x64/minimal_window.exe" >/dev/null 2>&1 </dev/null &
    local minimal=$!
    local server="" candidate
    for candidate in $(pgrep -u "$(id -u)" wineserver); do
        if tr '\0' '\n' <"/proc/$candidate/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            server=$candidate
        fi
    done
    sleep 10 # started and settled
    local -a labels=(crosshair.exe "minimal window") pids=("$crosshair" "$minimal")
    if [[ -n $server ]]; then
        labels+=(wineserver) pids+=("$server")
    fi
    local -a before=()
    local i
    for i in "${!pids[@]}"; do before[i]=$(cpu_ticks "${pids[i]}"); done
    sleep "$seconds"
    printf 'idle CPU over %d s, both running at once, wine64 (kernel clock ticks of %d Hz):\n' \
        "$seconds" "$hz"
    printf '  %-16s %14s %18s\n' program "CPU time (ms)" "of one core (%)"
    local ms
    for i in "${!pids[@]}"; do
        ms=$(( ($(cpu_ticks "${pids[i]}") - before[i]) * 1000 / hz ))
        awk -v label="${labels[i]}" -v ms="$ms" -v s="$seconds" \
            'BEGIN { printf "  %-16s %14d %18.3f\n", label, ms, ms / (s * 10) }'
    done
    kill "$crosshair" "$minimal" 2>/dev/null || true
    wait "$crosshair" "$minimal" 2>/dev/null || true
}

"$wine64_loader" "$repo_root/build/mingw-x64/kit_bench.exe"
"$wine64_loader" "$repo_root/build/mingw-x64/startup_bench.exe"
idle_cpu
# The kit's soaks, run together in one process: private bytes before and after.
soaks='Soak.*:ChildSoak.*:EachWrapper/TextWrappersSoak.*:KeptCanvas.*'
soaks+=':LoadImageFromBytes.LoadingAndDisposingLeaksNothing'
soaks+=':MemoryStream.CreateAgainAndFreeLeaveNothingBehind'
CROSSHAIR_REPORT_PRIVATE_BYTES=1 "$wine64_loader" "$repo_root/build/mingw-x64/pngkit_tests.exe" \
    --gtest_brief=1 --gtest_filter="$soaks" | grep -E 'private bytes across|FAILED'
for preset in mingw-x86 mingw-x64; do
    printf 'size of build/%s/crosshair.exe: %s bytes\n' "$preset" \
        "$(stat -c %s "$repo_root/build/$preset/crosshair.exe")"
done
