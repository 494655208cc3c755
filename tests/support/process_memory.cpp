#include "process_memory.h"

#include <psapi.h>

namespace {
PROCESS_MEMORY_COUNTERS_EX Counters() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters;
}
} // namespace

SIZE_T PrivateBytes() {
    return Counters().PrivateUsage;
}
SIZE_T PeakPrivateBytes() {
    return Counters().PeakPagefileUsage;
}
