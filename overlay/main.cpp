#include "overlay.h"
#include "runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunProgram(RunOverlay);
}
