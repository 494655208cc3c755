#include "fatal_box.h"

#include "runtime.h"

namespace {

const char* VetoedClass = nullptr;

LRESULT CALLBACK VetoHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && VetoedClass != nullptr) {
        char name[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
        if (lstrcmpA(name, VetoedClass) == 0) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND FindFatalBox() {
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", FatalErrorTitle)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(box)) {
            return box;
        }
    }
    return nullptr;
}

} // namespace

FatalBoxCloser::FatalBoxCloser()
    : watcher_([this] {
          while (!stop_) {
              if (HWND box = FindFatalBox()) {
                  seen_ = true;
                  PostMessageA(box, WM_COMMAND, IDOK, 0);
              }
              Sleep(20);
          }
      }) {}

FatalBoxCloser::~FatalBoxCloser() {
    stop_ = true;
    watcher_.join();
}

CreationVeto::CreationVeto(const char* className)
    : hook_(SetWindowsHookExA(WH_CBT, VetoHook, nullptr, GetCurrentThreadId())) {
    VetoedClass = className;
}

CreationVeto::~CreationVeto() {
    VetoedClass = nullptr;
    UnhookWindowsHookEx(hook_);
}
