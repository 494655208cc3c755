// The run time in this process: building a window from its description, the message loop,
// shutdown with its exit routine, the fatal-error path and INI reading.
#include "fatal_box.h"
#include "host_command.h"
#include "runtime.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <thread>

namespace {

constexpr LONG FrameStyles = WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;

WindowDescription OverlayLike(void (*onCreated)()) {
    WindowDescription description;
    description.width = 66;
    description.height = 66;
    description.startPosition = StartPosition::CentreScreen;
    description.minimizeButton = true;
    description.disabled = true;
    description.alwaysOnTop = true;
    description.showInTaskbar = false;
    description.movable = false;
    description.onCreated = onCreated;
    return description;
}

int ExitRoutineRuns = 0;
void CountExitRoutine() {
    ++ExitRoutineRuns;
}

// What the created event saw of the window, and the window after LoadWindow.
struct BuiltFacts {
    bool visibleWhileCreated = true;
    LONG styleWhileCreated = 0;
    LONG exStyleWhileCreated = 0;
    RECT rectWhileCreated{};
    bool visibleAfter = false;
    HWND owner = nullptr;
    HWND runtimeOwner = nullptr;
    bool ownerVisible = true;
    LONG ownerExStyle = 0;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HFONT font = nullptr;
    UINT moveMenuState = 0;
    std::wstring currentDirectory;
};
BuiltFacts Facts;
WindowDescription Description;

std::wstring CurrentDirectory() {
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    return directory;
}

} // namespace

TEST(Runtime, BuildsABorderlessWindowAtItsCentredSizeAndShowsItAfterTheCreatedEvent) {
    Facts = {};
    Description = OverlayLike([] {
        const HWND window = WindowOf(Description);
        Facts.visibleWhileCreated = IsWindowVisible(window);
        Facts.styleWhileCreated = GetWindowLongA(window, GWL_STYLE);
        Facts.exStyleWhileCreated = GetWindowLongA(window, GWL_EXSTYLE);
        GetWindowRect(window, &Facts.rectWhileCreated);
    });
    const int exitCode = RunProgram([] {
        SetCurrentDirectoryA("C:\\");
        InitializeRuntime();
        Facts.currentDirectory = CurrentDirectory();
        const HWND window = LoadWindow(Description);
        Facts.visibleAfter = IsWindowVisible(window);
        Facts.owner = GetWindow(window, GW_OWNER);
        Facts.runtimeOwner = OwnerWindow();
        Facts.ownerVisible = IsWindowVisible(Facts.owner);
        Facts.ownerExStyle = GetWindowLongA(Facts.owner, GWL_EXSTYLE);
        Facts.bigIcon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
        Facts.smallIcon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
        Facts.font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        Facts.moveMenuState = GetMenuState(GetSystemMenu(window, FALSE), SC_MOVE, MF_BYCOMMAND);
        DestroyWindow(window);
        RunMessageLoop(); // no window left: returns at once
        return 0;
    });
    EXPECT_EQ(exitCode, 0);

    EXPECT_EQ(Facts.currentDirectory, ProgramDirectory());
    EXPECT_FALSE(Facts.visibleWhileCreated);
    EXPECT_TRUE(Facts.visibleAfter);
    EXPECT_EQ(Facts.styleWhileCreated & FrameStyles, 0) << std::hex << Facts.styleWhileCreated;
    EXPECT_EQ(Facts.styleWhileCreated & (WS_DISABLED | WS_MINIMIZEBOX | WS_SYSMENU),
              WS_DISABLED | WS_MINIMIZEBOX);
    EXPECT_EQ(Facts.exStyleWhileCreated, WS_EX_TOPMOST)
        << std::hex
        << "no WS_EX_WINDOWEDGE once the caption is gone: " << Facts.exStyleWhileCreated;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 66) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 66) / 2;
    const RECT centred{left, top, left + 66, top + 66};
    EXPECT_TRUE(EqualRect(&Facts.rectWhileCreated, &centred))
        << Facts.rectWhileCreated.left << "," << Facts.rectWhileCreated.top << " "
        << Facts.rectWhileCreated.right - Facts.rectWhileCreated.left << "x"
        << Facts.rectWhileCreated.bottom - Facts.rectWhileCreated.top;
    EXPECT_NE(Facts.owner, nullptr);
    EXPECT_EQ(Facts.owner, Facts.runtimeOwner);
    EXPECT_FALSE(Facts.ownerVisible);
    EXPECT_EQ(Facts.ownerExStyle & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_NE(Facts.bigIcon, nullptr) << "DEFAULT_ICON";
    EXPECT_NE(Facts.smallIcon, nullptr) << "DEFAULT_ICON";
    EXPECT_EQ(Facts.font, GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(Facts.moveMenuState, static_cast<UINT>(-1)) << "SC_MOVE still in the system menu";
    EXPECT_FALSE(IsWindow(Facts.runtimeOwner)) << "owner window left after shutdown";
}

TEST(Runtime, LoopEndsWithTheLastWindowAndShutdownRunsTheExitRoutineOnce) {
    ExitRoutineRuns = 0;
    static LRESULT endSessionAnswer = 0;
    static int routineRunsWhileLooping = -1;
    Description = OverlayLike(nullptr);
    const int exitCode = RunProgram([] {
        InitializeRuntime();
        SetExitRoutine(CountExitRoutine);
        const HWND window = LoadWindow(Description);
        std::thread closer([window] {
            Sleep(300);
            endSessionAnswer = SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
            PostMessageA(window, WM_CLOSE, 0, 0);
        });
        RunMessageLoop();
        closer.join();
        routineRunsWhileLooping = ExitRoutineRuns;
        return 0;
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(endSessionAnswer, TRUE);
    EXPECT_EQ(routineRunsWhileLooping, 0) << "the exit routine belongs to shutdown";
    EXPECT_EQ(ExitRoutineRuns, 1);
    EXPECT_EQ(WindowOf(Description), nullptr);
}

TEST(RuntimeFatalError, ShowsABoxRunsTheExitRoutineOnceAndEndsWithMinusOne) {
    struct Case {
        const char* what;
        int (*entry)();
    };
    static const auto start = [] {
        InitializeRuntime();
        SetExitRoutine(CountExitRoutine);
    };
    const Case cases[] = {
        {"a window that cannot be built",
         [] {
             start();
             CreationVeto veto("WTWindow");
             LoadWindow(Description);
             return 0;
         }},
        {"a fatal error reported by the program",
         []() -> int {
             start();
             FatalError("A platform function is missing.");
         }},
        {"an allocation that fails in the created event",
         [] {
             start();
             Description.onCreated = [] { throw std::bad_alloc(); };
             LoadWindow(Description);
             return 0;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExitRoutineRuns = 0;
        Description = OverlayLike(nullptr);
        FatalBoxCloser closer;
        EXPECT_EQ(RunProgram(c.entry), -1);
        EXPECT_TRUE(closer.Seen()) << "no message box";
        EXPECT_EQ(ExitRoutineRuns, 1);
        EXPECT_EQ(WindowOf(Description), nullptr);
        EXPECT_EQ(FindWindowA("WTWindow", nullptr), nullptr) << "window left after shutdown";
        EXPECT_EQ(OwnerWindow(), nullptr);
    }
}

namespace {

const char* Section = "\xD7\xBC\xD0\xC7\xD1\xF9\xCA\xBD"; // "准星样式" in GBK
const char* Key = "\xB1\xE0\xBA\xC5";                     // "编号" in GBK

std::string AnsiValue(const std::string& file, const char* section, const char* key) {
    char value[256] = "sentinel";
    GetPrivateProfileStringA(section, key, nullptr, value, sizeof value, file.c_str());
    return value;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

TEST(ReadIniValue, MatchesSectionsKeysAndValuesAsTheAnsiFunctionDoes) {
    struct Case {
        const char* what;
        std::string file;
        std::string section;
        std::string key;
        std::string value;
        bool plainNames = true; // the ANSI function is asked the same and must agree
    };
    const std::string gbk = std::string("[") + Section + "]\r\n" + Key + "=3\r\n";
    const Case cases[] = {
        {"GBK names", gbk, Section, Key, "3"},
        {"blanks and control characters before the names", gbk, std::string(" \t\x01") + Section,
         std::string("  ") + Key, "3", false},
        {"a section of blanks only", gbk, "  \t", Key, "", false},
        {"a key of blanks only", gbk, Section, " ", "", false},
        {"a key that is not there", gbk, Section, "x", ""},
        {"a section spelt in UTF-8",
         "[\xE5\x87\x86\xE6\x98\x9F\xE6\xA0\xB7\xE5\xBC\x8F]\r\n" + std::string(Key) + "=3\r\n",
         Section, Key, ""},
        {"a value outside ASCII", std::string("[") + Section + "]\r\n" + Key + "=\xA3\xB3\r\n",
         Section, Key, "\xA3\xB3"},
        {"a value with blanks around it", std::string("[") + Section + "]\r\n" + Key + "= 3 \r\n",
         Section, Key, "3"},
    };
    const std::string folder = WindowsPathOf(HostScratchPath(""));
    const std::string ansiPath = folder + "ini-case.ini";
    // The same file in a folder that the ANSI code page cannot spell.
    const std::wstring wideFolder =
        std::wstring(folder.begin(), folder.end()) + L"\u51C6\u661F\u0418\u043D\u0438";
    CreateDirectoryW(wideFolder.c_str(), nullptr);
    const std::wstring widePath = wideFolder + L"\\ini-case.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(std::wstring(ansiPath.begin(), ansiPath.end()), c.file);
        WriteBytes(widePath, c.file);
        if (c.plainNames) {
            EXPECT_EQ(AnsiValue(ansiPath, c.section.c_str(), c.key.c_str()), c.value)
                << "the ANSI function itself";
        }
        EXPECT_EQ(ReadIniValue(std::wstring(ansiPath.begin(), ansiPath.end()), c.section.c_str(),
                               c.key.c_str()),
                  c.value);
        EXPECT_EQ(ReadIniValue(widePath, c.section.c_str(), c.key.c_str()), c.value);
    }
    EXPECT_EQ(ReadIniValue(wideFolder + L"\\missing.ini", Section, Key), "");
    EXPECT_EQ(ReadIniValue(L"  ", Section, Key), "");
}

TEST(ReadIniValue, TheSampleConfigurationMatches) {
    // Saved in GBK: an editor that re-saves it as UTF-8 breaks the match.
    const std::string sample = WindowsPathOf(CROSSHAIR_SAMPLE_CONFIG);
    EXPECT_EQ(ReadIniValue(std::wstring(sample.begin(), sample.end()), Section, Key), "1");
}
