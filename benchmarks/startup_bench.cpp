// Start-up figures of crosshair.exe beside a program that only shows a window, the two
// started in turn in the same Wine: the time from CreateProcess to the window being
// visible (for the overlay that is after its first present) and the process's peak
// memory. Prints medians.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Run {
    double milliseconds = -1;
    double peakPrivateKb = 0;
    double peakWorkingSetKb = 0;
};

HWND VisibleWindowOf(DWORD processId, const char* className) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

Run StartOnce(const std::string& exe, const char* className) {
    Run run;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return run;
    }
    HWND window = nullptr;
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while ((window = VisibleWindowOf(process.dwProcessId, className)) == nullptr &&
           GetTickCount64() < deadline) {
        Sleep(1);
    }
    QueryPerformanceCounter(&now);
    if (window != nullptr) {
        run.milliseconds =
            1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
        Sleep(1000); // let it settle before reading its peak
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(process.hProcess,
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters);
        run.peakPrivateKb = static_cast<double>(counters.PeakPagefileUsage) / 1024;
        run.peakWorkingSetKb = static_cast<double>(counters.PeakWorkingSetSize) / 1024;
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

std::string Beside(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

} // namespace

int main() {
    constexpr int Rounds = 11;
    struct Program {
        const char* label;
        std::string exe;
        const char* className;
        std::vector<Run> runs;
    } programs[] = {
        {"crosshair.exe", Beside("crosshair.exe"), "WTWindow", {}},
        {"minimal window", Beside("minimal_window.exe"), "MinimalWindow", {}},
    };
    // In turn, each first every other round, so that both see the same state of Wine and
    // the machine.
    for (int round = 0; round < Rounds; ++round) {
        for (int i = 0; i < 2; ++i) {
            Program& program = programs[(round + i) % 2];
            program.runs.push_back(StartOnce(program.exe, program.className));
        }
    }
    std::printf("start-up, median of %d starts each, wine64:\n", Rounds);
    std::printf("  %-16s %16s %18s %20s\n", "program", "to visible (ms)", "peak private (KB)",
                "peak working set (KB)");
    for (const Program& program : programs) {
        std::vector<double> times, privateKb, workingSetKb;
        for (const Run& run : program.runs) {
            times.push_back(run.milliseconds);
            privateKb.push_back(run.peakPrivateKb);
            workingSetKb.push_back(run.peakWorkingSetKb);
        }
        std::printf("  %-16s %16.1f %18.0f %20.0f\n", program.label, Median(times),
                    Median(privateKb), Median(workingSetKb));
    }
    return 0;
}
