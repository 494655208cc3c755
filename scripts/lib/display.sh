# A private X display with a compositor, so that per-pixel alpha shows on screen.
# shellcheck shell=bash

display_pids=()

# start_private_display WIDTHxHEIGHT: exports DISPLAY. Xvfb picks a free display number
# itself, so displays that are taken do not matter.
start_private_display() {
    local size=$1 number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x24" +extension Composite -nolisten tcp \
        3>"$number_file" >/dev/null 2>&1 &
    display_pids+=($!)
    local waited=0
    until [ -s "$number_file" ]; do
        sleep 0.1
        waited=$((waited + 1))
        if [ $waited -gt 100 ] || ! kill -0 "${display_pids[-1]}" 2>/dev/null; then
            echo "Xvfb did not start" >&2
            rm -f "$number_file"
            return 1
        fi
    done
    export DISPLAY=":$(head -n1 "$number_file")"
    rm -f "$number_file"
    xcompmgr >/dev/null 2>&1 &
    display_pids+=($!)
    # The compositor is ready once it has redirected the screen.
    sleep 0.5
    log "private display $DISPLAY ($size) with xcompmgr"
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
