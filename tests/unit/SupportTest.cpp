// The support routines, the saturating sums and an event disconnected while it is raised.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include <brennick/Event.h>
#include <brennick/MSupport.h>
#include <brennick/Saturating.h>

#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;

TEST(Support, ArithmeticFollowsItsOrderOfTestsAndStopsAtTheLimits) {
    // clang-format off
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {MSupport::LoWord(0x00018000), -32768}, {MSupport::HiWord(0x00018000), 1}, {MSupport::LoWord(-1), -1},
        {MSupport::HiWord(-1), -1}, {MSupport::HiWord(INT_MIN), -32768}, {MSupport::MinOf(5, 5), 5},
        {MSupport::MinOf(-3, 2), -3}, {MSupport::Clamp(0, -7, 200), 0}, {MSupport::Clamp(0, 250, 200), 200},
        {MSupport::Clamp(0, 200, 200), 200}, {MSupport::Clamp(10, 7, 5), 10}, {MSupport::Clamp(10, 12, 5), 5},
        {SatAdd(100, 15), 115}, {SatAdd(INT_MAX, 1), INT_MAX}, {SatAdd(INT_MIN, -5), INT_MIN},
        {SatSub(INT_MIN, 1), INT_MIN}, {SatSub(0, INT_MIN), INT_MAX}, {SatMul(INT_MIN, -1), INT_MAX},
        {SatMul(-70000, 70000), INT_MIN}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    EXPECT_EQ(MSupport::FormatVersion(12, 3, 456), "12.03.0456") << "zero-filled";
    EXPECT_EQ(MSupport::FormatVersion(123, 456, 78901), "123.456.78901") << "longer numbers in full";
}

TEST(Support, WheelSettingsAskTheSystemFirstAndTheLegacyWindowOnlyForZero) {
    for (const bool chars : {false, true}) {
        SCOPED_TRACE(chars ? "characters" : "lines");
        test::FakeWindowSystem fake;
        const auto get = chars ? &MSupport::GetWheelScrollChars : &MSupport::GetWheelScrollLines;
        std::int32_t& setting = chars ? fake.wheelScrollChars : fake.wheelScrollLines;  // the other one stays 3
        setting = WHEEL_PAGESCROLL;
        EXPECT_EQ(get(), -1) << "a page a notch, passed on";
        EXPECT_TRUE(fake.CallsOf(Api::FindWindow).empty()) << "no legacy lookup";
        setting = 0;
        EXPECT_EQ(get(), 0) << "no legacy window";
        const win::Hwnd legacy = fake.CreateWindow("MouseZ");
        fake.Window(legacy).title = "Magellan MSWHEEL", fake.Window(legacy).answer = 7;
        fake.calls.clear();
        EXPECT_EQ(get(), 7) << "the legacy window's answer";
        EXPECT_EQ(fake.CallsOf(Api::RegisterWindowMessage).at(0).text, "MSH_SCROLL_LINES_MSG") << "the message asked";
        const test::Call sent = fake.CallsOf(Api::SendMessage).at(0);
        EXPECT_TRUE(sent.window == legacy && sent.wParam == 0u && sent.lParam == 0) << "sent to it, without parameters";
    }
}

TEST(Support, AHandlerDisconnectedWhileTheEventIsRaisedIsSkipped) {
    Event<int&> event;
    Event<int&>::Connection later = 0;
    event.Connect([&](int&) { event.Disconnect(later); });
    later = event.Connect([](int& calls) { ++calls; });
    int calls = 0;
    event.Raise(calls);
    EXPECT_EQ(calls, 0) << "the handler the first one disconnected";
}

}  // namespace
}  // namespace brennick
