// A program of the run time that calls a system function its Windows does not have.
#include "runtime.h"

extern "C" __declspec(dllimport) void WINAPI FunctionThisWindowsDoesNotHave();

namespace {

int Entry() {
    InitializeRuntime();
    FunctionThisWindowsDoesNotHave();
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunProgram(Entry);
}
