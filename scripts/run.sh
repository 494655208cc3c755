#!/usr/bin/env bash
# Installs what is missing and builds both presets.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

ensure_packages "${build_packages[@]}" "${run_packages[@]}"
build_presets mingw-x86 mingw-x64
log "built: $repo_root/build/mingw-x86 and $repo_root/build/mingw-x64"
