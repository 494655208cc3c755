#include "overlay_process.h"

#include "host_command.h"
#include "test_windows.h"

#include <tlhelp32.h>

#include <fstream>

std::string GbkConfig(const std::string& value) {
    return "[\xD7\xBC\xD0\xC7\xD1\xF9\xCA\xBD]\r\n\xB1\xE0\xBA\xC5=" + value + "\r\n";
}

std::wstring WindowsPathW(const std::string& hostPath) {
    const std::string path = WindowsPathOf(hostPath);
    return std::wstring(path.begin(), path.end()); // the host paths of the tests are ASCII
}

std::wstring BuiltProgramPath() {
    return WindowsPathW(CROSSHAIR_EXE_HOST_PATH);
}

std::wstring ScratchFolder(const std::wstring& name) {
    const std::wstring folder = WindowsPathW(HostScratchPath("")) + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* file : {L"\\Config.ini", L"\\crosshair.exe"}) {
        DeleteFileW((folder + file).c_str());
    }
    return folder;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

OverlayProcess OverlayProcess::Start(const std::wstring& folder,
                                     const std::optional<std::string>& config) {
    const std::wstring exe = folder + L"\\crosshair.exe";
    CopyFileW(BuiltProgramPath().c_str(), exe.c_str(), FALSE);
    const std::wstring configPath = folder + L"\\Config.ini";
    if (config) {
        WriteFileBytes(configPath, *config);
    } else {
        DeleteFileW(configPath.c_str());
    }
    return StartExe(exe);
}

OverlayProcess OverlayProcess::StartExe(const std::wstring& exe) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // A working directory other than the program's: it must find its folder by itself.
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        L"C:\\", &startup, &info)) {
        return OverlayProcess(nullptr, 0);
    }
    CloseHandle(info.hThread);
    return OverlayProcess(info.hProcess, info.dwProcessId);
}

namespace {

bool SameImage(HANDLE process, const std::wstring& image) {
    wchar_t name[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    return QueryFullProcessImageNameW(process, 0, name, &length) &&
           lstrcmpiW(name, image.c_str()) == 0;
}

} // namespace

OverlayProcess OverlayProcess::StartWithDllOverrides(const std::string& hostExe,
                                                     const std::string& dllOverrides) {
    const std::wstring image = WindowsPathW(hostExe);
    if (RunHostCommand("(WINEDLLOVERRIDES=" + ShellQuote(dllOverrides) + " " + HostWine64 + " " +
                       ShellQuote(hostExe) + " </dev/null >/dev/null 2>&1 &)") != 0) {
        return OverlayProcess(nullptr, 0);
    }
    // The host shell hands out no Windows process; find it by its image.
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (GetTickCount64() < deadline) {
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more;
             more = Process32NextW(snapshot, &entry)) {
            const HANDLE process =
                OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE,
                            FALSE, entry.th32ProcessID);
            if (process != nullptr && SameImage(process, image)) {
                CloseHandle(snapshot);
                return OverlayProcess(process, entry.th32ProcessID);
            }
            if (process != nullptr) {
                CloseHandle(process);
            }
        }
        CloseHandle(snapshot);
        PumpMessages(20);
    }
    return OverlayProcess(nullptr, 0);
}

OverlayProcess::OverlayProcess(OverlayProcess&& other) noexcept
    : process_(other.process_), id_(other.id_) {
    other.process_ = nullptr;
}

OverlayProcess::~OverlayProcess() {
    if (process_ == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND FindProcessWindow(DWORD processId, const char* className, bool visibleOnly) {
    struct Search {
        DWORD processId;
        const char* className;
        bool visibleOnly;
        HWND found;
    } search{processId, className, visibleOnly, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            if (owner == s->processId && lstrcmpA(name, s->className) == 0 &&
                (!s->visibleOnly || IsWindowVisible(window))) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND OverlayProcess::WaitForWindow(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (process_ != nullptr && GetTickCount64() < deadline) {
        if (HWND window = FindProcessWindow(id_, "WTWindow", true)) {
            return window;
        }
        if (WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) {
            return nullptr;
        }
        PumpMessages(20);
    }
    return nullptr;
}

std::optional<DWORD> OverlayProcess::Close(DWORD timeoutMs) {
    if (process_ == nullptr) {
        return std::nullopt;
    }
    if (HWND window = FindProcessWindow(id_, "WTWindow", false)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return WaitForExit(timeoutMs);
}

std::optional<DWORD> OverlayProcess::WaitForExit(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        if (GetTickCount64() > deadline) {
            return std::nullopt;
        }
        PumpMessages(20);
    }
    DWORD code = 0;
    if (process_ == nullptr || !GetExitCodeProcess(process_, &code)) {
        return std::nullopt;
    }
    return code;
}

ErrorBox WaitForErrorBox(const OverlayProcess& process, DWORD timeoutMs) {
    ErrorBox box;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (box.window == nullptr && GetTickCount64() < deadline) {
        box.window = FindProcessWindow(process.Id(), "#32770", true);
        PumpMessages(20);
    }
    if (box.window == nullptr) {
        return box;
    }
    char text[512] = {};
    GetWindowTextA(box.window, text, sizeof text);
    box.title = text;
    // The message is the box's static text without an icon.
    for (HWND child = GetWindow(box.window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        text[0] = '\0';
        GetWindowTextA(child, text, sizeof text);
        if (lstrcmpiA(className, "Static") == 0 && text[0] != '\0') {
            box.text = text;
        }
    }
    return box;
}

void DismissErrorBox(const ErrorBox& box) {
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
}
