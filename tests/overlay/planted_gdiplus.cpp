// A gdiplus.dll such as anyone could leave beside the program. Loading it leaves a marker
// file beside it; its one function fails.
#include <windows.h>

#include <string>

namespace {

void LeaveMarker(HMODULE self) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string marker = path;
    marker.resize(marker.rfind('\\') + 1);
    marker += "planted-gdiplus-was-loaded";
    const HANDLE file =
        CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        LeaveMarker(self);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) int WINAPI GdiplusStartup(void*, const void*, void*) {
    return 1; // GenericError
}
