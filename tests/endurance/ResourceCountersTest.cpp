// The instruments of the endurance runs: a snapshot must see a new window and new committed
// memory, or the runs could not see a leak either.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "tests/endurance/EnduranceWindows.h"
#include "tests/endurance/ProcessResources.h"

namespace brennick::test {
namespace {

TEST(ResourceCounters, SeeANewWindow) {
    const bool guiCounted = GuiResourcesAreCounted();
    // The thread's first window brings a window of the system's own (the IME window) with it.
    const OwnedWindow first = CreateEnduranceWindow();
    const ProcessResources before = MeasureProcessResources();
    const OwnedWindow window = CreateEnduranceWindow();
    ASSERT_NE(window.Get(), nullptr);
    const ProcessResources during = MeasureProcessResources();
    EXPECT_EQ(during.threadWindows, before.threadWindows + 1);
    if (guiCounted) {
        EXPECT_GT(during.userObjects, before.userObjects);
    } else {
        std::printf("note: GetGuiResources counts nothing here (USER %lu, GDI %lu); windows of the thread stand in "
                    "for USER objects and GDI objects go unchecked\n",
                    during.userObjects, during.gdiObjects);
    }
}

TEST(ResourceCounters, SeeCommittedMemory) {
    constexpr std::size_t kBlock = 4 * 1024 * 1024;
    const ProcessResources before = MeasureProcessResources();
    const std::vector<char> block(kBlock, 1);
    const ProcessResources during = MeasureProcessResources();
    EXPECT_GE(during.privateCommit, before.privateCommit + kBlock);
    if (PrivateUsageIsCounted()) {
        EXPECT_GE(during.privateUsage, before.privateUsage + kBlock);
    } else {
        std::printf("note: PrivateUsage reads 0 here; committed private pages are counted instead\n");
    }
}

}  // namespace
}  // namespace brennick::test
