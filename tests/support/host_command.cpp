#include "host_command.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>

std::string HostScratchPath(const std::string& name) {
    const char* scratch = std::getenv("CROSSHAIR_TEST_TMP");
    std::string folder = scratch != nullptr && *scratch != '\0' ? scratch : "/tmp";
    return folder + "/" + name;
}

std::string WindowsPathOf(const std::string& hostPath) {
    std::string path = "Z:" + hostPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

int RunHostCommand(const std::string& shellCommand, unsigned timeoutMs) {
    // Wine starts host programs but gives no handle to wait on, so the command leaves its
    // exit status in a marker file that is polled for.
    static std::atomic<unsigned> counter{0};
    const std::string marker = HostScratchPath("host-" + std::to_string(GetCurrentProcessId()) +
                                               "-" + std::to_string(counter++) + ".status");
    const std::string markerWindows = WindowsPathOf(marker);
    DeleteFileA(markerWindows.c_str());
    const std::string script = shellCommand + "; echo $? > " + ShellQuote(marker + ".tmp") +
                               " && mv " + ShellQuote(marker + ".tmp") + " " + ShellQuote(marker);
    std::string commandLine = "/bin/sh -c \"" + [&] {
        std::string escaped;
        for (char c : script) {
            if (c == '"') { // the scripts of the tests carry no backslashes
                escaped += '\\';
            }
            escaped += c;
        }
        return escaped;
    }() + "\"";

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    if (process.hProcess != nullptr) {
        CloseHandle(process.hProcess);
    }
    if (process.hThread != nullptr) {
        CloseHandle(process.hThread);
    }
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetFileAttributesA(markerWindows.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount64() > deadline) {
            return -1;
        }
        Sleep(10);
    }
    int status = -1;
    std::ifstream(markerWindows) >> status;
    DeleteFileA(markerWindows.c_str());
    return status;
}
