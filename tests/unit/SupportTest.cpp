// The support routines, the saturating sums and events.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

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
    EXPECT_EQ(MSupport::FormatVersion(-1, -2, -3), "-1.-2.-003") << "signs before the zeros";
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
        EXPECT_EQ(fake.calls.at(0).message, chars ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES)
            << "the setting asked";
        setting = 0;
        EXPECT_EQ(get(), 0) << "no legacy window";
        EXPECT_EQ(fake.CallsOf(Api::FindWindow).at(0).text, "MouseZ|Magellan MSWHEEL")
            << "the legacy window looked for";
        const win::Hwnd legacy = fake.CreateWindow("MouseZ");
        fake.Window(legacy).title = "Magellan MSWHEEL", fake.Window(legacy).answer = 7;
        fake.calls.clear();
        EXPECT_EQ(get(), 7) << "the legacy window's answer";
        EXPECT_EQ(fake.CallsOf(Api::RegisterWindowMessage).at(0).text, "MSH_SCROLL_LINES_MSG") << "the message asked";
        const test::Call sent = fake.CallsOf(Api::SendMessage).at(0);
        EXPECT_TRUE(sent.window == legacy && sent.wParam == 0u && sent.lParam == 0) << "sent to it, without parameters";
    }
}

TEST(Support, EventsCallTheirHandlersInOrderAndSurviveChangesWhileRaising) {
    Event<int&> event;
    std::vector<std::string> calls;
    Event<int&>::Connection second = 0;
    event.Connect([&](int& value) {
        calls.push_back("first " + std::to_string(value++));
        event.Disconnect(second);  // the later one is skipped from now on
        event.Connect([&](int&) { calls.push_back("added"); });
    });
    second = event.Connect([&](int&) { calls.push_back("second"); });
    const auto third = event.Connect([&](int& value) {
        calls.push_back("third " + std::to_string(value));
        event.DisconnectAll();  // itself included, while it runs
    });
    event.Connect([&](int&) { calls.push_back("after the one that disconnected all"); });  // never called
    int value = 1;
    event.Raise(value), event.Raise(value);
    EXPECT_EQ(calls, (std::vector<std::string>{"first 1", "third 2"})) << "who was called";
    EXPECT_EQ(value, 2) << "by reference";
    event.Disconnect(third);  // already gone: nothing
    EXPECT_EQ(event.Connect(nullptr), 0u) << "an empty handler is not connected";
}

}  // namespace
}  // namespace brennick
