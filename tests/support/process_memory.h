// Memory figures of this process, for soaks and benchmarks.
#pragma once

#include <windows.h>

// Private bytes (committed memory that belongs to this process alone).
SIZE_T PrivateBytes();
// The highest private bytes the process has had.
SIZE_T PeakPrivateBytes();
