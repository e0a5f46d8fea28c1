// What this process holds of the system: USER and GDI objects, windows and private memory,
// counted so that two snapshots taken around a long run show any growth.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstddef>

namespace brennick::test {

struct ProcessResources {
    DWORD userObjects = 0;         // GetGuiResources(GR_USEROBJECTS)
    DWORD gdiObjects = 0;          // GetGuiResources(GR_GDIOBJECTS)
    std::size_t privateUsage = 0;  // PROCESS_MEMORY_COUNTERS_EX::PrivateUsage
    std::size_t privateCommit = 0; // committed private pages, summed over the address space
    std::size_t threadWindows = 0; // windows of this thread, children included
};

ProcessResources MeasureProcessResources();

// Whether GetGuiResources follows what the process creates here: Wine answers 0 whatever the
// process holds, so its counts say nothing there and the window count stands in for USER objects.
bool GuiResourcesAreCounted();

// Whether the system fills PrivateUsage (Wine leaves it 0); committed private pages are counted
// by walking the address space either way.
bool PrivateUsageIsCounted();

// Private memory may move by allocator noise without a leak: heaps commit and keep whole pages
// as blocks come and go. 256 KiB is 64 pages, and a leak of 3 bytes per step of a run of 100,000
// steps (or of 1 byte per message of 1,000,000) already exceeds it.
inline constexpr std::size_t kPrivateMemoryTolerance = 256 * 1024;

}  // namespace brennick::test
