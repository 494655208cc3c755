// The GUI application run time: the few services a program of ours relies on, provided
// with plain Win32 calls. Everything runs on the one GUI thread.
#pragma once

#include "window_description.h"

#include <windows.h>

#include <string>

// Runs the program's entry procedure and then the shutdown sequence: windows dropped, the
// exit routine run once, icons, owner window and OLE released. Returns the process exit
// code: 0 after a normal end, -1 after a fatal error, which also shows a message box first.
int RunProgram(int (*entry)());

// Makes the program's directory the current one, initialises OLE and creates the invisible
// owner window. Called first by the entry procedure.
void InitializeRuntime();

// The one exit routine; a later call replaces an earlier routine. Shutdown runs it at most
// once and forgets it.
void SetExitRoutine(void (*routine)());

// Builds a window from its description, raises its created event and shows it. The
// description must outlive the window. A window that cannot be built is a fatal error.
HWND LoadWindow(const WindowDescription& description);

// The window built from the description, null when there is none (yet or any more).
HWND WindowOf(const WindowDescription& description);

// Dispatches messages until the last program window is gone. Returns at once when no
// program window exists.
void RunMessageLoop();

// The value of the key in the section of an INI file, the empty text when there is none.
// Section and key are ANSI bytes and match the file as GetPrivateProfileStringA matches
// them; the file is named in UTF-16 so that any install folder can be reached.
std::string ReadIniValue(const std::wstring& file, const char* section, const char* key);

// The folder of the program's exe without a trailing backslash ("D:" for D:\x.exe). Kept
// in UTF-16: the ANSI code page cannot spell every folder name.
std::wstring ProgramDirectory();

// The invisible tool window that owns windows not shown in the taskbar; null outside
// InitializeRuntime ... shutdown.
HWND OwnerWindow();

// Ends the program: message box, shutdown sequence, exit code -1. Must be called on the GUI
// thread; from inside a window procedure the process ends right after the shutdown.
[[noreturn]] void FatalError(const char* what);

// Title of the fatal-error message box, so that tools and tests can find it.
inline constexpr const char* FatalErrorTitle = "Run-time error";
