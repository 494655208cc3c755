#include "runtime.h"

#include "runtime_internal.h"

#include <objbase.h>
#include <ole2.h>

#include <new>
#include <stdexcept>
#include <utility>

namespace {

constexpr const char* OwnerClassName = "RuntimeOwnerWindow";

// Thrown by FatalError and caught by RunProgram, so that the entry procedure's frames are
// unwound before the shutdown sequence runs.
class FatalRuntimeError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct RuntimeState {
    void (*exitRoutine)() = nullptr;
    HWND owner = nullptr;
    bool oleInitialized = false;
    bool insideProgram = false;
    bool ending = false;
};
RuntimeState State;

void RegisterOwnerClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = OwnerClassName;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(windowClass.hInstance, OwnerClassName, &existing)) {
        RegisterClassExA(&windowClass);
    }
}

void ShowFatalMessage(const char* what) {
    MessageBoxA(nullptr, what, FatalErrorTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void Shutdown() {
    State.ending = true;
    runtime_internal::DropWindows();
    if (auto routine = std::exchange(State.exitRoutine, nullptr)) {
        routine();
    }
    if (State.owner != nullptr) {
        DestroyWindow(std::exchange(State.owner, nullptr));
    }
    if (std::exchange(State.oleInitialized, false)) {
        OleUninitialize();
    }
}

} // namespace

int RunProgram(int (*entry)()) {
    runtime_internal::LoadSystemLibrariesFromSystemFolderOnly();
    State = RuntimeState{};
    State.insideProgram = true;
    int exitCode = 0;
    try {
        entry();
    } catch (const FatalRuntimeError& error) {
        ShowFatalMessage(error.what());
        exitCode = -1;
    } catch (const std::bad_alloc&) {
        ShowFatalMessage("The program ran out of memory.");
        exitCode = -1;
    }
    Shutdown();
    State.insideProgram = false;
    return exitCode;
}

void InitializeRuntime() {
    SetCurrentDirectoryW(ProgramDirectory().c_str());
    State.oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    RegisterOwnerClass();
    if (State.owner == nullptr) {
        State.owner = CreateWindowExA(WS_EX_TOOLWINDOW, OwnerClassName, "", 0, 0, 0, 0, 0, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    }
}

void SetExitRoutine(void (*routine)()) {
    State.exitRoutine = routine;
}

HWND OwnerWindow() {
    return State.owner;
}

std::wstring ProgramDirectory() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length < MAX_PATH ? length : 0);
    const auto backslash = directory.rfind(L'\\');
    directory.resize(backslash == std::wstring::npos ? 0 : backslash);
    return directory;
}

void FatalError(const char* what) {
    if (State.insideProgram && runtime_internal::WindowProcedureDepth() == 0 && !State.ending) {
        throw FatalRuntimeError(what);
    }
    runtime_internal::EndWithFatalError(what);
}

void runtime_internal::EndWithFatalError(const char* what) {
    ShowFatalMessage(what);
    if (!State.ending) {
        Shutdown();
    }
    ExitProcess(static_cast<UINT>(-1));
}
