// The real crosshair.exe started in a folder of its own under wine64, and the facts about
// its overlay window that another process can see.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Bytes of a Config.ini that sets "编号" in section "准星样式" (both in GBK) to the value.
std::string GbkConfig(const std::string& value);

// A host path of the build or scratch tree as Wine sees it, through drive Z:.
std::wstring WindowsPathW(const std::string& hostPath);

// The built program, as Wine sees it.
std::wstring BuiltProgramPath();

// A folder of the test scratch area, made empty; the name may hold any Unicode text.
std::wstring ScratchFolder(const std::wstring& name);

void WriteFileBytes(const std::wstring& path, const std::string& bytes);

class OverlayProcess {
  public:
    // Copies crosshair.exe into the folder (unless it is there already) with the given
    // Config.ini (none when absent) and starts it from another working directory.
    static OverlayProcess Start(const std::wstring& folder,
                                const std::optional<std::string>& config);
    // Starts an exe that is in place already.
    static OverlayProcess StartExe(const std::wstring& exe);
    // Starts an exe (a host path) from a host shell with WINEDLLOVERRIDES set: Wine's loader
    // reads it from the Unix environment, which a Windows environment block does not reach.
    static OverlayProcess StartWithDllOverrides(const std::string& hostExe,
                                                const std::string& dllOverrides);

    OverlayProcess(OverlayProcess&& other) noexcept;
    OverlayProcess& operator=(OverlayProcess&&) = delete;
    ~OverlayProcess();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    // The process's visible "WTWindow", null once the timeout passes without one.
    HWND WaitForWindow(DWORD timeoutMs = 20000);
    // Sends WM_CLOSE to the overlay window from this process and returns the exit code,
    // or nothing when the process does not end within the timeout.
    std::optional<DWORD> Close(DWORD timeoutMs = 10000);
    // The exit code once the process has ended by itself, nothing after the timeout.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000);

  private:
    OverlayProcess(HANDLE process, DWORD id) : process_(process), id_(id) {}
    HANDLE process_;
    DWORD id_;
};

// Windows of a process whose class is the given one.
HWND FindProcessWindow(DWORD processId, const char* className, bool visibleOnly);

// The run time's fatal-error box of another process, as a user sees it.
struct ErrorBox {
    HWND window = nullptr;
    std::string title;
    std::string text;
};
// Waits for the process's error box; window stays null when none appears in time.
ErrorBox WaitForErrorBox(const OverlayProcess& process, DWORD timeoutMs = 20000);
// Presses the box's OK button.
void DismissErrorBox(const ErrorBox& box);
