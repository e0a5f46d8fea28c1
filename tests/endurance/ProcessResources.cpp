#include "tests/endurance/ProcessResources.h"

#include <psapi.h>

#include "tests/endurance/EnduranceWindows.h"

namespace brennick::test {
namespace {

std::size_t CommittedPrivateBytes() {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;  // the top of the address space
        address = next;
    }
    return total;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    EnumChildWindows(window, &CountChild, count);
    return TRUE;
}

}  // namespace

ProcessResources MeasureProcessResources() {
    ProcessResources counts;
    HANDLE process = GetCurrentProcess();
    counts.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    counts.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        counts.privateUsage = memory.PrivateUsage;
    }
    counts.privateCommit = CommittedPrivateBytes();
    EnumThreadWindows(GetCurrentThreadId(), &CountWithChildren, reinterpret_cast<LPARAM>(&counts.threadWindows));
    return counts;
}

bool GuiResourcesAreCounted() {
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const OwnedWindow window = CreateEnduranceWindow();
    return window.Get() != nullptr && GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS) > before;
}

bool PrivateUsageIsCounted() { return MeasureProcessResources().privateUsage != 0; }

}  // namespace brennick::test
