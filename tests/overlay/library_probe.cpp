// Loads a DLL by its bare name, the way a plain import or LoadLibrary finds it: exit code 0
// when it was loaded, 1 when not.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return LoadLibraryA(commandLine) != nullptr ? 0 : 1;
}
