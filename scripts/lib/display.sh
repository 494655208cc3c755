# A private X display with a compositor, so that per-pixel alpha shows on screen.
# shellcheck shell=bash

display_pids=()

# start_private_display WIDTHxHEIGHT: exports DISPLAY. The number is one whose lock file
# and socket are free; a server that loses a race for it exits, and the next is tried.
# (Xvfb's -displayfd takes no lock file, so two of them can pick the same number.)
start_private_display() {
    local size=$1 number pid waited
    for number in $(seq 90 189); do
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
        Xvfb ":$number" -screen 0 "${size}x24" +extension Composite -nolisten tcp \
            >/dev/null 2>&1 &
        pid=$!
        waited=0
        until [ -S "/tmp/.X11-unix/X$number" ] && xdpyinfo -display ":$number" >/dev/null 2>&1; do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
            waited=$((waited + 1))
            [ $waited -lt 100 ] || { kill "$pid"; break; }
        done
        kill -0 "$pid" 2>/dev/null || continue
        display_pids+=("$pid")
        export DISPLAY=":$number"
        xcompmgr >/dev/null 2>&1 &
        display_pids+=($!)
        # The compositor is ready once it has redirected the screen.
        sleep 0.5
        log "private display $DISPLAY ($size) with xcompmgr"
        return 0
    done
    echo "no free X display number" >&2
    return 1
}

stop_private_display() {
    local pid
    for pid in "${display_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${display_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    display_pids=()
}
