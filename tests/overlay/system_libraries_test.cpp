// Where the program's GDI+ comes from: only the system folder, whatever lies beside the exe,
// and a clean fatal error when the system cannot provide it.
#include "crosshair_pictures.h"
#include "host_command.h"
#include "overlay_process.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

namespace {

constexpr const char* RunTimeErrorTitle = "Run-time error";
// Wine's switches: prefer a native gdiplus.dll, the way Windows prefers one beside the exe;
// or have no gdiplus.dll at all.
constexpr const char* PreferNativeGdiplus = "gdiplus=n,b";
constexpr const char* NoGdiplus = "gdiplus=";
constexpr DWORD FatalExitCode = static_cast<DWORD>(-1);

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(SystemLibraries, GdiplusPlantedBesideTheProgramIsNotLoaded) {
    const std::wstring folder = ScratchFolder(L"planted-gdiplus");
    const std::string hostFolder = HostScratchPath("planted-gdiplus");
    const std::wstring marker = folder + L"\\planted-gdiplus-was-loaded";
    DeleteFileW(marker.c_str());
    ASSERT_TRUE(CopyFileW(WindowsPathW(PLANTED_GDIPLUS_HOST_PATH).c_str(),
                          (folder + L"\\gdiplus.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(WindowsPathW(LIBRARY_PROBE_HOST_PATH).c_str(),
                          (folder + L"\\library-probe.exe").c_str(), FALSE));

    // The plant works: with these overrides, loading gdiplus.dll by name takes it.
    ASSERT_EQ(RunHostCommand("WINEDLLOVERRIDES=" + ShellQuote(PreferNativeGdiplus) + " " +
                             HostWine64 + " " + ShellQuote(hostFolder + "/library-probe.exe") +
                             " gdiplus.dll </dev/null >/dev/null 2>&1"),
              0);
    ASSERT_TRUE(FileExists(marker)) << "the planted DLL was not taken by a plain load";
    DeleteFileW(marker.c_str());

    BackdropWindow backdrop(AroundOverlay(), KnownBackground);
    ASSERT_TRUE(
        CopyFileW(BuiltProgramPath().c_str(), (folder + L"\\crosshair.exe").c_str(), FALSE));
    WriteFileBytes(folder + L"\\Config.ini", GbkConfig("3"));
    OverlayProcess program =
        OverlayProcess::StartWithDllOverrides(hostFolder + "/crosshair.exe", PreferNativeGdiplus);
    ASSERT_NE(program.WaitForWindow(), nullptr);
    const RECT rect = CentredOverlayRect();
    const PictureMatch match = CaptureCrosshair(rect.left, rect.top);
    EXPECT_TRUE(match.Clear() && match.best == 3) << match.Describe();
    EXPECT_FALSE(FileExists(marker)) << "the program loaded the planted gdiplus.dll";
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}

TEST(SystemLibraries, MissingGdiplusEndsTheProgramWithTheErrorBox) {
    const std::wstring folder = ScratchFolder(L"no-gdiplus");
    ASSERT_TRUE(
        CopyFileW(BuiltProgramPath().c_str(), (folder + L"\\crosshair.exe").c_str(), FALSE));
    OverlayProcess program = OverlayProcess::StartWithDllOverrides(
        HostScratchPath("no-gdiplus") + "/crosshair.exe", NoGdiplus);
    ASSERT_TRUE(program.Started());

    const ErrorBox box = WaitForErrorBox(program);
    ASSERT_NE(box.window, nullptr) << "no error box";
    EXPECT_EQ(box.title, RunTimeErrorTitle);
    EXPECT_NE(box.text.find("gdiplus.dll"), std::string::npos) << box.text;
    EXPECT_EQ(FindProcessWindow(program.Id(), "WTWindow", true), nullptr);
    DismissErrorBox(box);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(FatalExitCode));
}

TEST(SystemLibraries, MissingSystemFunctionEndsTheProgramWithTheErrorBox) {
    OverlayProcess program =
        OverlayProcess::StartExe(WindowsPathW(MISSING_FUNCTION_PROBE_HOST_PATH));

    const ErrorBox box = WaitForErrorBox(program);
    ASSERT_NE(box.window, nullptr) << "no error box";
    EXPECT_EQ(box.title, RunTimeErrorTitle);
    EXPECT_NE(box.text.find("FunctionThisWindowsDoesNotHave"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("version.dll"), std::string::npos) << box.text;
    DismissErrorBox(box);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(FatalExitCode));
}
