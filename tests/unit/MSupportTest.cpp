#include <gtest/gtest.h>

#include <limits>

#include "platform/Win32Constants.h"
#include "support/MSupport.h"
#include "support/Saturating.h"
#include "support/WheelMessage.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;
using test::FakeWindowSystem;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(Words, SplitIntoSignedHalves) {
    EXPECT_EQ(MSupport::LoWord(0x00018000), -32768);
    EXPECT_EQ(MSupport::HiWord(0x00018000), 1);
    EXPECT_EQ(MSupport::LoWord(-1), -1);
    EXPECT_EQ(MSupport::HiWord(-1), -1);
    EXPECT_EQ(MSupport::HiWord(kMin), -32768);
    EXPECT_EQ(MSupport::LoWord(0x7FFF), 32767);
}

TEST(MinAndClamp, FollowTheirOrderOfTests) {
    EXPECT_EQ(MSupport::MinOf(5, 5), 5);
    EXPECT_EQ(MSupport::MinOf(-3, 2), -3);
    EXPECT_EQ(MSupport::Clamp(0, -7, 200), 0);
    EXPECT_EQ(MSupport::Clamp(0, 250, 200), 200);
    EXPECT_EQ(MSupport::Clamp(0, 200, 200), 200);
    EXPECT_EQ(MSupport::Clamp(10, 7, 5), 10);  // low tested first
    EXPECT_EQ(MSupport::Clamp(10, 12, 5), 5);
}

TEST(Saturating, StopsAtThe32BitLimits) {
    EXPECT_EQ(SatAdd(kMax, 1), kMax);
    EXPECT_EQ(SatSub(kMin, 1), kMin);
    EXPECT_EQ(SatAdd(kMin, -5), kMin);
    EXPECT_EQ(SatMul(kMin, -1), kMax);
    EXPECT_EQ(SatMul(70000, 70000), kMax);
    EXPECT_EQ(SatMul(-70000, 70000), kMin);
    EXPECT_EQ(SatAdd(100, 15), 115);
}

TEST(AppVersion, FormatsOnceAndRepeats) {
    EXPECT_EQ(MSupport::FormatVersion(1, 0, 11), "1.00.0011");
    EXPECT_EQ(MSupport::FormatVersion(12, 3, 456), "12.03.0456");
    EXPECT_EQ(MSupport::FormatVersion(1, 100, 12345), "1.100.12345");
    EXPECT_EQ(MSupport::AppVersion(), "1.00.0011");
    EXPECT_EQ(MSupport::AppVersion(), MSupport::AppVersion());
}

TEST(WheelDecoding, RoundsHalvesToEvenAndFlipsTheSign) {
    const std::pair<int, int> examples[] = {{120, -1}, {-120, 1}, {240, -2}, {90, -1}, {30, 0},   {60, 0},
                                            {180, -2}, {-180, 2}, {300, -2}, {-60, 0}, {-32768, 273}, {32767, -273}};
    for (const auto& [w, delta] : examples) {
        const auto wParam = static_cast<win::WParam>(static_cast<std::uint32_t>(w) << 16);
        EXPECT_EQ(DecodeWheel(wParam, 0).Delta, delta) << "w = " << w;
    }
}

TEST(WheelDecoding, SignExtendsKeysAndPointer) {
    const auto wParam = static_cast<win::WParam>((120u << 16) | 0xFFFFu);
    const auto lParam = static_cast<win::LParam>((0xFF38u << 16) | 0xFF38u);  // (-200, -200)
    const WheelMessage wheel = DecodeWheel(wParam, lParam);
    EXPECT_EQ(wheel.Shift, -1);
    EXPECT_EQ(wheel.X, -200);
    EXPECT_EQ(wheel.Y, -200);
    const WheelMessage plain = DecodeWheel(static_cast<win::WParam>(MK_SHIFT), (384 << 16) | 512);
    EXPECT_EQ(plain.Shift, MK_SHIFT);
    EXPECT_EQ(plain.X, 512);
    EXPECT_EQ(plain.Y, 384);
}

TEST(WheelScrollLines, SystemSettingFirstLegacyWindowOnlyWhenItReadsZero) {
    FakeWindowSystem fake;
    fake.wheelScrollLines = 3;
    EXPECT_EQ(MSupport::GetWheelScrollLines(), 3);
    EXPECT_TRUE(fake.CallsOf(Api::FindWindow).empty());
    const auto spi = fake.CallsOf(Api::SystemParametersInfo).at(0);
    EXPECT_EQ(spi.message, SPI_GETWHEELSCROLLLINES);

    fake.wheelScrollLines = WHEEL_PAGESCROLL;
    EXPECT_EQ(MSupport::GetWheelScrollLines(), -1);

    fake.wheelScrollLines = 0;
    fake.ClearCalls();
    EXPECT_EQ(MSupport::GetWheelScrollLines(), 0);  // no legacy window
    EXPECT_EQ(fake.Apis(), (std::vector<Api>{Api::SystemParametersInfo, Api::FindWindow}));
    EXPECT_EQ(fake.calls[1].text, "MouseZ");
    EXPECT_EQ(fake.calls[1].text2, "Magellan MSWHEEL");

    const win::Hwnd legacy = fake.CreateWindow("MouseZ", "Magellan MSWHEEL");
    fake.Window(legacy).answer = 7;
    fake.ClearCalls();
    EXPECT_EQ(MSupport::GetWheelScrollLines(), 7);
    const auto registered = fake.CallsOf(Api::RegisterWindowMessage).at(0);
    EXPECT_EQ(registered.text, "MSH_SCROLL_LINES_MSG");
    const auto sent = fake.CallsOf(Api::SendMessage).at(0);
    EXPECT_EQ(sent.window, legacy);
    EXPECT_EQ(sent.wParam, 0u);
    EXPECT_EQ(sent.lParam, 0);

    fake.failRegisterWindowMessage = true;
    EXPECT_EQ(MSupport::GetLegacyWheelScrollLines(), 0);
}

TEST(IsPointInWindow, CountsAllFourEdgesAsInside) {
    FakeWindowSystem fake;
    const win::Hwnd window = fake.CreateWindow();
    fake.Window(window).rect = {10, 20, 110, 220};
    EXPECT_EQ(MSupport::IsPointInWindow(window, 10, 20), kTrue);
    EXPECT_EQ(MSupport::IsPointInWindow(window, 110, 220), kTrue);
    EXPECT_EQ(MSupport::IsPointInWindow(window, 111, 220), kFalse);
    EXPECT_EQ(MSupport::IsPointInWindow(window, 110, 221), kFalse);
    EXPECT_EQ(MSupport::IsPointInWindow(window, 9, 100), kFalse);
    // A handle that names no window leaves the zero rectangle: only (0, 0) is inside.
    EXPECT_EQ(MSupport::IsPointInWindow(nullptr, 0, 0), kTrue);
    EXPECT_EQ(MSupport::IsPointInWindow(nullptr, 1, 0), kFalse);
}

}  // namespace
}  // namespace brennick
