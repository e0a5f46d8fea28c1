#include <gtest/gtest.h>

#include "support/MSupport.h"
#include "tests/win32/TestWindow.h"

namespace brennick {
namespace {

TEST(SupportOnRealWindow, PointInWindowCountsTheRectanglesEdges) {
    test::TestWindow window;
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window.Handle(), &rect));
    EXPECT_EQ(MSupport::IsPointInWindow(window.Handle(), rect.left, rect.top), kTrue);
    EXPECT_EQ(MSupport::IsPointInWindow(window.Handle(), rect.right, rect.bottom), kTrue);
    EXPECT_EQ(MSupport::IsPointInWindow(window.Handle(), rect.right + 1, rect.bottom), kFalse);
    EXPECT_EQ(MSupport::IsPointInWindow(window.Handle(), rect.right, rect.bottom + 1), kFalse);
    EXPECT_EQ(MSupport::IsPointInWindow(window.Handle(), rect.left - 1, rect.top), kFalse);
}

TEST(SupportOnRealWindow, WheelScrollLinesIsTheSystemSetting) {
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    ASSERT_NE(lines, 0u);
    EXPECT_EQ(MSupport::GetWheelScrollLines(), static_cast<std::int32_t>(lines));
    EXPECT_EQ(MSupport::GetLegacyWheelScrollLines(), 0);  // no legacy wheel window here
}

}  // namespace
}  // namespace brennick
