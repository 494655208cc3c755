# Shared by the scripts: where things are, installing what is missing, building.
# shellcheck shell=bash

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine64_loader=/usr/lib/wine/wine64

# What building needs, and what running the program and its tests under Wine needs.
build_packages=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools googletest
    libgtest-dev zlib1g-dev)
run_packages=(wine wine64 fonts-wine xvfb xcompmgr xdotool x11-utils x11-xserver-utils imagemagick)

log() { printf '==> %s\n' "$*" >&2; }

# Installs the Debian packages of the list that are not installed yet.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Configures and builds each named preset.
build_presets() {
    local preset
    for preset in "$@"; do
        log "building $preset"
        cmake --preset "$preset" -S "$repo_root" >/dev/null
        cmake --build --preset "$preset" --parallel "$(nproc)"
    done
}

# The host-side tools (the crosshair generator), built with the machine's own compiler.
build_host_tools() {
    log "building host tools"
    cmake -S "$repo_root/tools" -B "$repo_root/build/host" >/dev/null
    cmake --build "$repo_root/build/host" --parallel "$(nproc)"
}
