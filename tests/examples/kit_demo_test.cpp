// The kit demo driven like a user would: real mouse and keyboard through the X server, and
// what the compositor shows read back from screenshots.
#include "host_command.h"
#include "screenshot.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace {

constexpr int DemoLeft = 100;
constexpr int DemoTop = 100;
// The button at (120,30) 100 x 32 and the edit box at (20,120) 200 x 28, in screen pixels.
constexpr POINT ButtonCentre{DemoLeft + 170, DemoTop + 46};
constexpr RECT EditArea{DemoLeft + 20, DemoTop + 120, DemoLeft + 220, DemoTop + 148};
constexpr POINT Away{900, 700};

constexpr Rgb Normal{128, 128, 128};
constexpr Rgb Hover{0, 120, 215};
constexpr Rgb Pressed{0, 84, 153};

std::string ExeBesideThisOne(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

std::string Point(int x, int y) {
    std::ostringstream text;
    text << x << ' ' << y;
    return text.str();
}

void Xdotool(const std::string& arguments) {
    ASSERT_EQ(RunHostCommand("xdotool " + arguments), 0) << "xdotool " << arguments;
}

bool IsDark(const Rgb& c) {
    return c.r < 90 && c.g < 90 && c.b < 90;
}

int DarkPixelsInEdit(const Screenshot& shot) {
    int dark = 0;
    for (int y = EditArea.top + 2; y < EditArea.bottom - 2; ++y) {
        for (int x = EditArea.left + 2; x < EditArea.right - 2; ++x) {
            dark += IsDark(shot.At(x, y)) ? 1 : 0;
        }
    }
    return dark;
}

// Columns of the edit box where a dark line runs down the caret's 12 rows.
std::set<int> DarkRuns(const Screenshot& shot) {
    std::set<int> columns;
    const int top = EditArea.top + (28 - 12) / 2;
    for (int x = EditArea.left + 2; x < EditArea.right - 2; ++x) {
        bool run = true;
        for (int y = top; y < top + 12 && run; ++y) {
            run = IsDark(shot.At(x, y));
        }
        if (run) {
            columns.insert(x);
        }
    }
    return columns;
}

class KitDemo : public testing::Test {
  protected:
    void SetUp() override {
        Xdotool("mousemove " + Point(Away.x, Away.y));
        std::string commandLine = ExeBesideThisOne("kit-demo.exe");
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process_))
            << commandLine;
        for (int i = 0; i < 200 && window_ == nullptr; ++i) {
            HWND found = FindWindowA("KitDemoWindow", nullptr);
            window_ = found != nullptr && IsWindowVisible(found) ? found : nullptr;
            Sleep(50);
        }
        ASSERT_NE(window_, nullptr) << "the demo window did not appear";
    }

    void TearDown() override {
        if (process_.hProcess == nullptr) {
            return;
        }
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            PostMessageA(window_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 1);
            }
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    Rgb ButtonColourWhen(const Rgb& expected) {
        return Screenshot::CaptureWhen([&](const Screenshot& s) {
                   return Distance(s.At(ButtonCentre.x, ButtonCentre.y), expected) <= 2;
               })
            .At(ButtonCentre.x, ButtonCentre.y);
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

} // namespace

TEST_F(KitDemo, ButtonShowsEachStateUnderTheMouse) {
    const std::string button = Point(ButtonCentre.x, ButtonCentre.y);
    const std::string away = Point(Away.x, Away.y);
    struct Step {
        const char* action;
        std::string arguments;
        Rgb colour;
    };
    const Step steps[] = {
        {"start", "", Normal},
        {"hover", "mousemove " + button, Hover},
        {"press", "mousedown 1", Pressed},
        {"release", "mouseup 1", Hover},
        {"leave", "mousemove " + away, Normal},
    };
    for (const Step& step : steps) {
        if (!step.arguments.empty()) {
            Xdotool(step.arguments);
        }
        const Rgb seen = ButtonColourWhen(step.colour);
        EXPECT_LE(Distance(seen, step.colour), 2)
            << step.action << ": expected " << ToString(step.colour) << ", saw " << ToString(seen);
    }
}

TEST_F(KitDemo, TypedTextGrowsOnScreenAndTheCaretBlinks) {
    const int before = DarkPixelsInEdit(
        Screenshot::CaptureWhen([](const Screenshot& s) { return DarkPixelsInEdit(s) > 20; }));
    ASSERT_GT(before, 20) << "no initial text";
    Xdotool("mousemove " + Point(EditArea.right - 10, EditArea.top + 14) + " click 1");
    Xdotool("type --delay 50 WMW");
    const Screenshot typed = Screenshot::CaptureWhen(
        [&](const Screenshot& s) { return DarkPixelsInEdit(s) > before + 30; });
    EXPECT_GT(DarkPixelsInEdit(typed), before + 30) << "the typed text did not show";

    // Screenshots every 250 ms over three seconds: some column must carry the caret's
    // line in some of them and not in others, turning on and off with the blink.
    std::vector<std::set<int>> samples;
    for (int i = 0; i < 12; ++i) {
        samples.push_back(
            DarkRuns(Screenshot::CaptureWhen([](const Screenshot&) { return true; }, 0)));
        PumpMessages(150);
    }
    std::set<int> candidates;
    for (const auto& sample : samples) {
        candidates.insert(sample.begin(), sample.end());
    }
    bool blinked = false;
    for (int column : candidates) {
        int shown = 0;
        int toggles = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            shown += samples[i].count(column) != 0 ? 1 : 0;
            if (i > 0 && samples[i].count(column) != samples[i - 1].count(column)) {
                ++toggles;
            }
        }
        blinked = blinked || (shown >= 2 && shown <= 10 && toggles >= 3);
    }
    EXPECT_TRUE(blinked) << "no caret line that shows and hides";
}

TEST_F(KitDemo, SoftEdgesShowTheScreenBehind) {
    const Screenshot shot = Screenshot::CaptureWhen([](const Screenshot&) { return true; });
    const Rgb root = shot.At(DemoLeft - 10, DemoTop - 10);
    const Rgb corner = shot.At(DemoLeft + 1, DemoTop + 1);
    const Rgb edge = shot.At(DemoLeft + 4, DemoTop + 120);
    const Rgb inside = shot.At(DemoLeft + 300, DemoTop + 200);
    EXPECT_EQ(corner, root) << "the rounded corner is transparent";
    EXPECT_TRUE(edge.r < root.r && edge.r > inside.r)
        << ToString(edge) << " between " << ToString(root) << " and " << ToString(inside);
}

TEST_F(KitDemo, CloseEndsWithExitCodeZero) {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u);
}
