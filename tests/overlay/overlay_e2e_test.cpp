// The real crosshair.exe, observed from this process: its picture in screenshots, its
// reading of Config.ini wherever it is installed, and clicks through it.
#include "crosshair_pictures.h"
#include "host_command.h"
#include "overlay_process.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <random>
#include <span>
#include <string>

namespace {

// The crosshair the started program shows, 0 when it shows none clearly.
int ShownCrosshair(OverlayProcess program) {
    EXPECT_NE(program.WaitForWindow(), nullptr) << "no overlay window";
    const RECT rect = CentredOverlayRect();
    const PictureMatch match = CaptureCrosshair(rect.left, rect.top);
    EXPECT_TRUE(match.Clear()) << match.Describe();
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0)) << "exit code after WM_CLOSE";
    return match.Clear() ? match.best : 0;
}

int ShownCrosshair(const std::wstring& folder, const std::optional<std::string>& config) {
    return ShownCrosshair(OverlayProcess::Start(folder, config));
}

struct ConfigCase {
    const char* what;
    std::optional<std::string> file; // none: no Config.ini at all
    int crosshair;
};

// Starts the program once per case, in one scratch folder, over a known background.
void ExpectShownCrosshairs(const wchar_t* folderName, std::span<const ConfigCase> cases) {
    BackdropWindow backdrop(AroundOverlay(), KnownBackground);
    const std::wstring folder = ScratchFolder(folderName);
    for (const ConfigCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ShownCrosshair(folder, c.file), c.crosshair);
    }
}

} // namespace

TEST(OverlayConfig, ShowsTheCrosshairNamedExactlyInConfigIni) {
    const std::string utf8Section = "[\xE5\x87\x86\xE6\x98\x9F\xE6\xA0\xB7\xE5\xBC\x8F]\r\n";
    const ConfigCase cases[] = {
        {"no file", std::nullopt, 1},
        {"empty value", GbkConfig(""), 1},
        {"1", GbkConfig("1"), 1},
        {"2", GbkConfig("2"), 2},
        {"3", GbkConfig("3"), 3},
        {"4", GbkConfig("4"), 4},
        {"5", GbkConfig("5"), 5},
        {"0", GbkConfig("0"), 1},
        {"6", GbkConfig("6"), 1},
        {"13", GbkConfig("13"), 1},
        {"03", GbkConfig("03"), 1},
        {"3.0", GbkConfig("3.0"), 1},
        {"+3", GbkConfig("+3"), 1},
        {"full-width 3 in GBK", GbkConfig("\xA3\xB3"), 1},
        {"saved as UTF-8", utf8Section + "\xE7\xBC\x96\xE5\x8F\xB7=3\r\n", 1},
    };
    ExpectShownCrosshairs(L"config-cases", cases);
}

TEST(OverlayConfig, BadConfigIniStillStartsWithCrosshairOne) {
    std::string random(4096, '\0');
    std::mt19937 generator(7);
    for (char& byte : random) {
        byte = static_cast<char>(generator() & 0xFF);
    }
    const std::string section = "[\xD7\xBC\xD0\xC7\xD1\xF9\xCA\xBD]\r\n";
    const std::string key = "\xB1\xE0\xBA\xC5";
    const std::string megabyte(1 << 20, '3');
    // Section and key as Unicode text: they match the names the program looks for only
    // where the ANSI code page is GBK.
    const std::u16string unicodeText = u"[\u51C6\u661F\u6837\u5F0F]\r\n\u7F16\u53F7=3\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char16_t unit : unicodeText) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    const std::string utf8 = "\xEF\xBB\xBF[\xE5\x87\x86\xE6\x98\x9F\xE6\xA0\xB7\xE5\xBC\x8F]\r\n"
                             "\xE7\xBC\x96\xE5\x8F\xB7=3\r\n";
    const int unicodeNamesMatch = GetACP() == 936 ? 3 : 1;
    using namespace std::string_literals;
    const ConfigCase cases[] = {
        {"random bytes", random, 1},
        {"a 1 MB value", section + key + "=" + megabyte + "\r\n", 1},
        {"a 1 MB line before the section", ";" + megabyte + "\r\n" + GbkConfig("2"), 2},
        {"UTF-16 with a BOM", utf16, unicodeNamesMatch},
        {"UTF-8 with a BOM", utf8, unicodeNamesMatch},
        {"only NUL bytes", std::string(512, '\0'), 1},
        {"NUL before the value", section + key + "=\0"s + "3\r\n", 1},
        {"NUL inside the key", section + "\xB1\xE0\0\xBA\xC5=3\r\n"s, 1},
        {"NUL inside the section", "[\xD7\xBC\0\xD0\xC7\xD1\xF9\xCA\xBD]\r\n"s + key + "=3\r\n", 1},
    };
    ExpectShownCrosshairs(L"config-bad", cases);
}

TEST(OverlayConfig, UnreadableConfigIniStillStartsWithCrosshairOne) {
    BackdropWindow backdrop(AroundOverlay(), KnownBackground);
    {
        SCOPED_TRACE("a folder named Config.ini");
        const std::wstring folder = ScratchFolder(L"config-folder");
        CreateDirectoryW((folder + L"\\Config.ini").c_str(), nullptr);
        EXPECT_EQ(ShownCrosshair(folder, std::nullopt), 1);
        RemoveDirectoryW((folder + L"\\Config.ini").c_str());
    }
    {
        SCOPED_TRACE("Config.ini held open exclusively by another process");
        const std::wstring folder = ScratchFolder(L"config-locked");
        const std::wstring config = folder + L"\\Config.ini";
        WriteFileBytes(config, GbkConfig("3"));
        const HANDLE held = CreateFileW(config.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const std::wstring exe = folder + L"\\crosshair.exe";
        CopyFileW(BuiltProgramPath().c_str(), exe.c_str(), FALSE);
        EXPECT_EQ(ShownCrosshair(OverlayProcess::StartExe(exe)), 1);
        CloseHandle(held);
    }
}

TEST(OverlayConfig, EditingTheFileWhileRunningChangesNothing) {
    BackdropWindow backdrop(AroundOverlay(), KnownBackground);
    const std::wstring folder = ScratchFolder(L"config-edit");
    OverlayProcess program = OverlayProcess::Start(folder, GbkConfig("2"));
    ASSERT_NE(program.WaitForWindow(), nullptr);
    const RECT rect = CentredOverlayRect();
    ASSERT_EQ(CaptureCrosshair(rect.left, rect.top).best, 2);

    WriteFileBytes(folder + L"\\Config.ini", GbkConfig("4"));
    PumpMessages(1500);
    const PictureMatch later = MatchCrosshair(Screenshot::Capture(), rect.left, rect.top);
    EXPECT_TRUE(later.Clear() && later.best == 2) << later.Describe();
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}

TEST(OverlayConfig, FindsItsFolderWhateverTheAnsiCodePageCanSpell) {
    // Chinese, Cyrillic and Japanese at once: no ANSI code page spells all of them, so an
    // ANSI module path would come back with question marks.
    const std::wstring name = L"\u51C6\u661F \u041F\u0440\u0438\u0446\u0435\u043B "
                              L"\u7167\u6E96";
    BackdropWindow backdrop(AroundOverlay(), KnownBackground);
    EXPECT_EQ(ShownCrosshair(ScratchFolder(name), GbkConfig("4")), 4);
}

TEST(OverlayConfig, ReadsConfigIniAtTheRootOfADrive) {
    const std::string hostFolder = HostScratchPath("drive-d");
    const std::string link = "\"${WINEPREFIX:-$HOME/.wine}/dosdevices/d:\"";
    ASSERT_EQ(RunHostCommand("rm -rf " + ShellQuote(hostFolder) + " && mkdir -p " +
                             ShellQuote(hostFolder) + " && ln -sfn " + ShellQuote(hostFolder) +
                             " " + link),
              0);
    BackdropWindow backdrop(AroundOverlay(), KnownBackground);
    EXPECT_EQ(ShownCrosshair(L"D:", GbkConfig("5")), 5);
    RunHostCommand("rm -f " + link);
}

namespace {

struct ClickProbe {
    int clicks = 0;
    POINT where{};
};
ClickProbe Probe;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        ++Probe.clicks;
        Probe.where = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(window, &Probe.where);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(OverlayInput, ClickOnTheCrosshairReachesTheWindowBeneath) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    static const HBRUSH background = CreateSolidBrush(KnownBackground);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = "OverlayClickProbe";
    RegisterClassExA(&windowClass);
    const RECT area = AroundOverlay();
    const HWND probe = CreateWindowExA(0, "OverlayClickProbe", "", WS_POPUP | WS_VISIBLE, area.left,
                                       area.top, area.right - area.left, area.bottom - area.top,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    PumpMessages(200);

    OverlayProcess program = OverlayProcess::Start(ScratchFolder(L"click"), std::nullopt);
    const HWND overlay = program.WaitForWindow();
    ASSERT_NE(overlay, nullptr);
    const RECT rect = CentredOverlayRect();
    ASSERT_TRUE(CaptureCrosshair(rect.left, rect.top).Clear());

    Probe = {};
    const int x = rect.left + OverlaySize / 2;
    const int y = rect.top + OverlaySize / 2;
    ASSERT_EQ(RunHostCommand("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                             " click 1"),
              0);
    const ULONGLONG deadline = GetTickCount64() + 3000;
    while (Probe.clicks == 0 && GetTickCount64() < deadline) {
        PumpMessages(20);
    }
    EXPECT_EQ(Probe.clicks, 1);
    EXPECT_EQ(Probe.where.x, x);
    EXPECT_EQ(Probe.where.y, y);
    EXPECT_NE(GetForegroundWindow(), overlay) << "the click activated the overlay";
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
    DestroyWindow(probe);
}

TEST(OverlayInput, StartingItLeavesTheFocusWithTheActiveWindow) {
    // Stands for the game: active when the overlay starts, and still active afterwards.
    BackdropWindow game(AroundOverlay(), KnownBackground);
    SetForegroundWindow(game.get());
    PumpMessages(300);
    ASSERT_EQ(GetForegroundWindow(), game.get());

    OverlayProcess program = OverlayProcess::Start(ScratchFolder(L"focus"), std::nullopt);
    const HWND overlay = program.WaitForWindow();
    ASSERT_NE(overlay, nullptr);
    PumpMessages(1000);
    EXPECT_EQ(GetForegroundWindow(), game.get())
        << (GetForegroundWindow() == overlay ? "the overlay took the focus" : "focus lost");
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}

TEST(OverlayProgram, ManifestDeclaresItDpiAware) {
    // Wine does not scale unaware programs, so the difference cannot show on its screen;
    // what can be checked is that the system's own manifest reader finds the setting.
    const std::wstring exe = BuiltProgramPath();
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE activation = CreateActCtxW(&context);
    ASSERT_NE(activation, INVALID_HANDLE_VALUE) << "no manifest resource, error " << GetLastError();
    struct Setting {
        const wchar_t* name;
        const wchar_t* ns;
        const wchar_t* value;
    };
    const Setting settings[] = {
        {L"dpiAware", L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"true/pm"},
        {L"dpiAwareness", L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
         L"PerMonitorV2, PerMonitor"},
    };
    for (const Setting& setting : settings) {
        wchar_t value[64] = L"sentinel";
        SIZE_T written = 0;
        const BOOL found =
            QueryActCtxSettingsW(0, activation, setting.ns, setting.name, value, 64, &written);
        EXPECT_TRUE(found) << "setting missing";
        EXPECT_STREQ(value, setting.value);
    }
    ReleaseActCtx(activation);
}
