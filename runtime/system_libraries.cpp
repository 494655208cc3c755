// Where the program's late-bound system DLLs come from. gdiplus.dll is not a KnownDLL, so
// the loader's usual search would take a copy lying beside the exe before the system's own.
// Delay-loaded DLLs are therefore loaded by their full path in the system folder, and a DLL
// or function that cannot be found there is a fatal error, not a crash at the first call.
#include "runtime.h"

#include "runtime_internal.h"

#include <delayimp.h>

#include <string>

namespace {

std::wstring SystemFolderPath(const char* dllName) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    std::wstring path(folder, length < MAX_PATH ? length : 0);
    path += L'\\';
    // DLL names in import tables are ASCII.
    for (const char* c = dllName; *c != '\0'; ++c) {
        path += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    return path;
}

[[noreturn]] void FailLoading(const char* dllName) {
    std::string message = "The system library ";
    message += dllName;
    message += " could not be loaded.";
    runtime_internal::EndWithFatalError(message.c_str());
}

// Called by the delay-load helper; returning a module stops its own search by name.
FARPROC WINAPI OnDelayLoadNotice(unsigned notice, PDelayLoadInfo info) {
    if (notice != dliNotePreLoadLibrary) {
        return nullptr;
    }
    // The altered search path makes the DLL's own imports resolve from the system folder too.
    const HMODULE module = LoadLibraryExW(SystemFolderPath(info->szDll).c_str(), nullptr,
                                          LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        FailLoading(info->szDll);
    }
    return reinterpret_cast<FARPROC>(module);
}

// The helper would raise an exception that nothing here could catch; the run time's fatal
// path ends the program in order instead. Nothing below may throw: no C++ frames unwind
// through the helper.
FARPROC WINAPI OnDelayLoadFailure(unsigned notice, PDelayLoadInfo info) {
    if (notice != dliFailGetProc) {
        FailLoading(info->szDll);
    }
    std::string message = "The function ";
    if (info->dlp.fImportByName) {
        message += info->dlp.szProcName;
    } else {
        message += '#';
        message += std::to_string(info->dlp.dwOrdinal);
    }
    message += " was not found in the system library ";
    message += info->szDll;
    message += '.';
    runtime_internal::EndWithFatalError(message.c_str());
}

} // namespace

// The delay-load helper reads these two by name.
#ifdef _MSC_VER
extern "C" const PfnDliHook __pfnDliNotifyHook2 = OnDelayLoadNotice;
extern "C" const PfnDliHook __pfnDliFailureHook2 = OnDelayLoadFailure;
#else
extern "C" {
PfnDliHook __pfnDliNotifyHook2 = OnDelayLoadNotice;
PfnDliHook __pfnDliFailureHook2 = OnDelayLoadFailure;
}
#endif

void runtime_internal::LoadSystemLibrariesFromSystemFolderOnly() {
    // Also covers what is loaded by name later on. Missing before Windows 8 without update
    // KB2533623; the delay-load hooks above do not depend on it.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const FARPROC function =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (function != nullptr) {
        reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(function))(
            LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}
