# 32-bit Wine for one smoke run of the shipped 32-bit program. Where the kernel cannot
# execute 32-bit ELF files, the 32-bit Wine loader runs under qemu-user-static through a
# binfmt_misc entry. The entry is switched on only while the smoke run needs it: while it is
# on, every new 64-bit prefix would set up its 32-bit half under emulation, minutes instead
# of seconds.
# shellcheck shell=bash

wine32_packages=(qemu-user-static wine32:i386)
wine32_loader=/usr/lib/wine/wine
binfmt_dir=/proc/sys/fs/binfmt_misc
qemu_i386_entry=$binfmt_dir/qemu-i386
# i386 ELF executables go to qemu; flag F opens the interpreter once, at registration.
qemu_i386_rule=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# write_root FILE TEXT: writes TEXT to a file of /proc as root.
write_root() { printf '%s' "$2" | as_root tee "$1" >/dev/null; }

# Installs qemu-user-static and the 32-bit Wine loader, adding the i386 architecture first.
ensure_wine32_packages() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        log "adding the i386 architecture"
        as_root dpkg --add-architecture i386
    fi
    ensure_packages "${wine32_packages[@]}"
}

# The binfmt state found before this process changed anything, restored by
# binfmt_restore_state: whether binfmt_misc was mounted, and the qemu-i386 entry
# (absent, enabled or disabled).
binfmt_found_mounted=
binfmt_found_entry=

binfmt_mounted() { [ -e "$binfmt_dir/register" ]; }

qemu_i386_state() {
    if [ ! -e "$qemu_i386_entry" ]; then
        echo absent
    elif head -n1 "$qemu_i386_entry" | grep -qx enabled; then
        echo enabled
    else
        echo disabled
    fi
}

binfmt_save_state() {
    [ -z "$binfmt_found_entry" ] || return 0
    if binfmt_mounted; then binfmt_found_mounted=yes; else binfmt_found_mounted=no; fi
    binfmt_found_entry=$(qemu_i386_state)
}

# Makes sure 32-bit ELF files cannot run: for the 64-bit prefix and suite.
qemu_i386_disable() {
    binfmt_save_state
    if [ "$(qemu_i386_state)" = enabled ]; then
        write_root "$qemu_i386_entry" 0
        log "qemu-i386 binfmt entry disabled"
    fi
}

# Lets 32-bit ELF files run under qemu: mounts binfmt_misc and registers the entry when
# needed, then enables it.
qemu_i386_enable() {
    binfmt_save_state
    binfmt_mounted || as_root mount -t binfmt_misc binfmt_misc "$binfmt_dir"
    [ -e "$qemu_i386_entry" ] || write_root "$binfmt_dir/register" "$qemu_i386_rule"
    write_root "$qemu_i386_entry" 1
    log "qemu-i386 binfmt entry enabled"
}

# Puts back what binfmt_save_state found: the entry removed, disabled or enabled again, and
# binfmt_misc unmounted when it was not mounted and nothing else is registered.
binfmt_restore_state() {
    [ -n "$binfmt_found_entry" ] || return 0
    case "$binfmt_found_entry:$(qemu_i386_state)" in
        absent:absent) ;;
        absent:*) write_root "$qemu_i386_entry" -1 ;;
        enabled:*) qemu_i386_enable ;;
        disabled:enabled) write_root "$qemu_i386_entry" 0 ;;
    esac
    if [ "$binfmt_found_mounted" = no ] && binfmt_mounted &&
        [ -z "$(find "$binfmt_dir" -mindepth 1 -maxdepth 1 ! -name register ! -name status)" ]; then
        as_root umount "$binfmt_dir"
    fi
    binfmt_found_entry=
}

# How the 32-bit loader runs: "native" when this kernel executes i386 ELF files itself, else
# "qemu". X86_SMOKE_CPU=native or X86_SMOKE_CPU=qemu chooses instead. Call it while the
# qemu-i386 entry is off, or an emulated start would pass for a native one.
select_wine32_cpu() {
    wine32_cpu=${X86_SMOKE_CPU:-auto}
    if [ "$wine32_cpu" = auto ]; then
        if timeout 60 "$wine32_loader" --version >/dev/null 2>&1; then
            wine32_cpu=native
        else
            wine32_cpu=qemu
        fi
    fi
    case "$wine32_cpu" in
        native) log "32-bit Wine runs natively on this kernel" ;;
        qemu) log "32-bit Wine runs under qemu-i386-static" ;;
        *) log "X86_SMOKE_CPU must be auto, native or qemu, not $wine32_cpu" && return 1 ;;
    esac
}

# Makes the 32-bit loader runnable for the smoke run, and not runnable any more after it.
wine32_cpu_on() { [ "$wine32_cpu" != qemu ] || qemu_i386_enable; }
wine32_cpu_off() { [ "$wine32_cpu" != qemu ] || qemu_i386_disable; }

# A prefix fit for reuse: set up completely by prepare_wine32_prefix (the marker), by this
# Wine (else Wine would update it at the next start, racing the program), and with its
# 32-bit half set up.
wine32_prefix_healthy() {
    local prefix=$1 stamp
    [ -f "$prefix/.x86-smoke-ready" ] && [ -f "$prefix/system.reg" ] || return 1
    [ "$(cat "$prefix/.x86-smoke-ready")" = "$("$wine64_loader" --version)" ] || return 1
    read -r stamp <"$prefix/.update-timestamp" || return 1
    [ "${stamp%$'\r'}" = "$(stat -c %Y /usr/share/wine/wine.inf)" ] || return 1
    grep -qF '[Software\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion]' "$prefix/system.reg"
}

# prepare_wine32_prefix DIR: exports WINEPREFIX=DIR, a 64-bit prefix with its 32-bit half
# (WoW64). Creating it runs the 32-bit set-up, minutes under qemu, so a healthy prefix of an
# earlier run is kept. wineboot and then wineserver -w finish before anything else starts:
# a 32-bit program racing a new prefix's set-up did not show its window.
prepare_wine32_prefix() {
    local prefix=$1
    export WINEPREFIX=$prefix WINEDEBUG=-all
    wineserver -k 2>/dev/null || true # a server left over from an interrupted run
    if wine32_prefix_healthy "$prefix"; then
        log "reusing the 32-bit Wine prefix $prefix"
        return 0
    fi
    local started=$SECONDS
    create_wine_prefix "$prefix"
    if ! grep -qF '[Software\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion]' \
        "$prefix/system.reg"; then
        log "the 32-bit half of $prefix was not set up"
        return 1
    fi
    "$wine64_loader" --version >"$prefix/.x86-smoke-ready"
    log "32-bit Wine prefix ready after $((SECONDS - started)) s"
}

# start_wine32_program SECONDS EXE [ARGS...]: starts the exe under the 32-bit loader in the
# background, in the exe's folder, ended after SECONDS at the latest. Sets wine32_pid.
start_wine32_program() {
    local seconds=$1 exe=$2
    shift 2
    (cd "$(dirname "$exe")" && exec timeout -k 30 "$seconds" "$wine32_loader" "$exe" "$@") &
    wine32_pid=$!
}

# wait_wine32_program SECONDS: waits that long at most for the program to end. Sets
# wine32_status to its exit code, or to "none" when it had been or had to be stopped.
wait_wine32_program() {
    local deadline=$((SECONDS + $1))
    if [ -z "${wine32_pid:-}" ]; then
        wine32_status=none
        return 0
    fi
    while kill -0 "$wine32_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
        sleep 1
    done
    if kill -0 "$wine32_pid" 2>/dev/null; then
        stop_wine32_program
        wine32_status=none
        return 0
    fi
    wine32_status=0
    wait "$wine32_pid" || wine32_status=$?
    wine32_pid=
}

stop_wine32_program() {
    [ -n "${wine32_pid:-}" ] || return 0
    kill "$wine32_pid" 2>/dev/null || true
    wait "$wine32_pid" 2>/dev/null || true
    wine32_pid=
}
