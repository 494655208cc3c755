#!/usr/bin/env bash
# Fails when an exe below the given build dirs imports a DLL that a clean Windows lacks,
# such as the mingw C++ runtime.
set -u
system_dlls='^(kernel32|user32|gdi32|gdiplus|ole32|oleaut32|advapi32|shell32|comctl32|comdlg32|msvcrt|ws2_32|psapi|shlwapi|version|winmm|uxtheme|dwmapi|imm32|rpcrt4|bcrypt|ntdll|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
checked=0
for dir in "$@"; do
    [ -d "$dir" ] || continue
    while IFS= read -r exe; do
        checked=$((checked + 1))
        while IFS= read -r dll; do
            if ! [[ "${dll,,}" =~ $system_dlls ]]; then
                echo "$exe imports $dll, which is not a Windows system DLL"
                status=1
            fi
        done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
    done < <(find "$dir" -maxdepth 1 -name '*.exe')
done
echo "checked $checked exe files"
[ "$checked" -gt 0 ] || { echo "no exe found"; exit 1; }
exit $status
