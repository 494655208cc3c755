// Runs inside a Wine virtual desktop, whose display mode can be changed: starts the program,
// changes the screen resolution a few times and checks after each change that the overlay
// sits at the new centre, 66 x 66, visible and topmost. One line per check in the report
// file; exit code 0 when every check held. (A virtual desktop does not composite layered
// windows, so their pictures are checked on the real screen instead.)
//
//   display-change-probe <crosshair.exe host path> <report host path>
#include "crosshair_pictures.h"
#include "host_command.h"
#include "overlay_process.h"
#include "test_windows.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Mode {
    int width;
    int height;
};

class Report {
  public:
    explicit Report(const std::string& path) : file_(path) {}
    void Check(bool held, const std::string& what) {
        file_ << (held ? "ok   " : "FAIL ") << what << std::endl;
        failures_ += held ? 0 : 1;
    }
    int Failures() const { return failures_; }

  private:
    std::ofstream file_;
    int failures_ = 0;
};

std::string Describe(const RECT& r) {
    std::ostringstream text;
    text << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return text.str();
}

bool ChangeMode(const Mode* mode) {
    if (mode == nullptr) {
        return ChangeDisplaySettingsA(nullptr, 0) == DISP_CHANGE_SUCCESSFUL;
    }
    DEVMODEA settings{};
    settings.dmSize = sizeof settings;
    settings.dmPelsWidth = static_cast<DWORD>(mode->width);
    settings.dmPelsHeight = static_cast<DWORD>(mode->height);
    settings.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&settings, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

// Waits until the window sits where the overlay belongs on the screen as it is now.
bool WaitUntilCentred(HWND window, RECT& where) {
    const ULONGLONG deadline = GetTickCount64() + 5000;
    do {
        PumpMessages(50);
        const RECT expected = CentredOverlayRect();
        GetWindowRect(window, &where);
        if (EqualRect(&where, &expected)) {
            return true;
        }
    } while (GetTickCount64() < deadline);
    return false;
}

void CheckOverlay(Report& report, HWND window, const std::string& screen) {
    RECT where{};
    const bool centred = WaitUntilCentred(window, where);
    report.Check(centred, screen + ": window at " + Describe(where) + ", centre is " +
                              Describe(CentredOverlayRect()));
    report.Check((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 &&
                     IsWindowVisible(window),
                 screen + ": visible and topmost");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    Report report(argv[2]);

    OverlayProcess program = OverlayProcess::StartExe(WindowsPathW(argv[1]));
    const HWND window = program.WaitForWindow();
    report.Check(window != nullptr, "the overlay window showed");
    if (window == nullptr) {
        return 1;
    }
    CheckOverlay(report, window, "at start");
    for (const Mode& mode : {Mode{800, 600}, Mode{1366, 768}, Mode{640, 480}}) {
        const std::string screen = std::to_string(mode.width) + "x" + std::to_string(mode.height);
        report.Check(ChangeMode(&mode), screen + ": display mode changed");
        CheckOverlay(report, window, screen);
    }
    report.Check(ChangeMode(nullptr), "display mode restored");
    CheckOverlay(report, window, "restored");
    report.Check(program.Close() == std::optional<DWORD>(0), "exit code 0 after WM_CLOSE");
    return report.Failures() == 0 ? 0 : 1;
}
