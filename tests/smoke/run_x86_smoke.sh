#!/usr/bin/env bash
# Runs a 32-bit exe once under 32-bit Wine and checks it from outside with the 64-bit probe
# (build/mingw-x64/smoke-probe.exe, run under wine64 in the same prefix): its window, its
# picture on screen, and exit code 0 after WM_CLOSE. Also checks its import table.
#
#   tests/smoke/run_x86_smoke.sh [--with FILE]... EXE PROBE_ARGS...
#
# The exe is copied to build/x86-smoke/run/ with each FILE beside it, and started there.
# PROBE_ARGS go to the probe (see tests/smoke/smoke_probe.cpp). Runs on $DISPLAY, else on a
# private display of 1920x1080. The 32-bit loader runs natively when the kernel can, else
# under qemu (X86_SMOKE_CPU=native|qemu chooses). Ends with "x86 smoke: P passed, F failed".
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$repo_root/scripts/lib/display.sh"
source "$repo_root/scripts/lib/wine.sh"
source "$repo_root/scripts/lib/wine32.sh"

extra_files=()
while [ "${1:-}" = --with ]; do
    extra_files+=("$2")
    shift 2
done
if [ $# -lt 1 ]; then
    echo "usage: $0 [--with FILE]... EXE PROBE_ARGS..." >&2
    exit 2
fi
exe=$(realpath "$1")
shift
probe=$repo_root/build/mingw-x64/smoke-probe.exe
smoke_dir=$repo_root/build/x86-smoke
run_dir=$smoke_dir/run
# Generous: a 32-bit start under qemu took minutes on a busy machine.
program_seconds=1800
window_seconds=1200
exit_seconds=300

smoke_started=$SECONDS
cleanup() {
    stop_wine32_program
    [ -z "${WINEPREFIX:-}" ] || stop_wineserver
    [ -z "${wine32_cpu:-}" ] || wine32_cpu_off
    binfmt_restore_state
    stop_private_display
}
trap cleanup EXIT

ensure_wine32_packages
[ -f "$probe" ] || {
    log "no probe at $probe: build the mingw-x64 preset first"
    exit 1
}
qemu_i386_disable
select_wine32_cpu
[ -n "${DISPLAY:-}" ] || start_private_display 1920x1080

rm -rf "$run_dir" "$smoke_dir/tmp"
mkdir -p "$run_dir" "$smoke_dir/tmp"
cp "$exe" "${extra_files[@]}" "$run_dir/"
export CROSSHAIR_TEST_TMP=$smoke_dir/tmp

failed=0
check() { # check NAME COMMAND...: runs a check and counts it
    if "${@:2}"; then
        log "x86 smoke check passed: $1"
    else
        log "x86 smoke check FAILED: $1"
        failed=$((failed + 1))
    fi
}

check "import table of $(basename "$exe")" bash "$repo_root/tests/check_imports.sh" "$run_dir"

wine32_cpu_on
setup_started=$SECONDS
prepare_wine32_prefix "$smoke_dir/prefix"
start_wineserver
log "32-bit prefix and wineserver ready after $((SECONDS - setup_started)) s"

run_started=$SECONDS
log "starting $(basename "$exe") under 32-bit Wine ($wine32_cpu)"
SMOKE_PROGRAM_STARTED_MS=$(date +%s%3N)
export SMOKE_PROGRAM_STARTED_MS
start_wine32_program "$program_seconds" "$run_dir/$(basename "$exe")"
probe_status=0
"$wine64_loader" "$probe" --wait "$window_seconds" "$@" || probe_status=$?
check "window, picture and WM_CLOSE (probe exit code $probe_status)" test $probe_status = 0
# The probe sends WM_CLOSE whenever it ends with 0 or 1; else nothing asked the program to end.
[ $probe_status -le 1 ] || stop_wine32_program
wait_wine32_program "$exit_seconds"
wine32_cpu_off
check "exit code 0 (got $wine32_status)" test "$wine32_status" = 0
log "the 32-bit program ran for $((SECONDS - run_started)) s; the smoke step took" \
    "$((SECONDS - smoke_started)) s"

if [ $failed -eq 0 ]; then
    echo "x86 smoke: 1 passed, 0 failed"
else
    echo "x86 smoke: 0 passed, 1 failed ($failed checks failed)"
    exit 1
fi
