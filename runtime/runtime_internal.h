// State the run time's own files share; not for programs.
#pragma once

#include <windows.h>

namespace runtime_internal {

// Destroys every window built from a description and forgets them all.
void DropWindows();

// Depth of the run time's window procedures on the stack: a fatal error there cannot
// unwind through the window manager's frames.
int WindowProcedureDepth();

} // namespace runtime_internal
