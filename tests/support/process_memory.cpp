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
    // Wine 8 reports PrivateUsage as 0, which would make every soak look flat. Private bytes
    // are the committed private regions on Windows too, so they are added up from the
    // address space itself.
    SIZE_T total = 0;
    const char* address = nullptr;
    MEMORY_BASIC_INFORMATION region;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) {
            break;
        }
        address = next;
    }
    return total;
}
SIZE_T PeakPrivateBytes() {
    return Counters().PeakPagefileUsage;
}
