// State the run time's own files share; not for programs.
#pragma once

#include <windows.h>

namespace runtime_internal {

// Destroys every window built from a description and forgets them all.
void DropWindows();

// Depth of the run time's window procedures on the stack: a fatal error there cannot
// unwind through the window manager's frames.
int WindowProcedureDepth();

// The fatal-error path for places that must not unwind (a window procedure, the delay-load
// helper): message box, shutdown sequence, exit code -1.
[[noreturn]] void EndWithFatalError(const char* what);

// Makes libraries loaded by name come from the system folder only, not from the program's
// folder, where anyone may have put a DLL of the same name.
void LoadSystemLibrariesFromSystemFolderOnly();

} // namespace runtime_internal
