// The support routines, the saturating sums and events.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/Win32Constants.h"
#include <brennick/Event.h>
#include <brennick/MSupport.h>
#include <brennick/Saturating.h>
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;
using test::FakeWindowSystem;

TEST(Support, ArithmeticFollowsItsOrderOfTestsAndStopsAtTheLimits) {
    struct Case { const char* name; std::int32_t got, expected; };
    const Case cases[] = {
        {"LoWord of 0x00018000", MSupport::LoWord(0x00018000), -32768}, {"HiWord of 0x00018000", MSupport::HiWord(0x00018000), 1},
        {"LoWord of -1", MSupport::LoWord(-1), -1}, {"HiWord of -1", MSupport::HiWord(-1), -1},
        {"HiWord of INT_MIN", MSupport::HiWord(INT_MIN), -32768}, {"MinOf equal", MSupport::MinOf(5, 5), 5}, {"MinOf", MSupport::MinOf(-3, 2), -3},
        {"Clamp below", MSupport::Clamp(0, -7, 200), 0}, {"Clamp above", MSupport::Clamp(0, 250, 200), 200},
        {"Clamp at high", MSupport::Clamp(0, 200, 200), 200}, {"Clamp inverted, below low", MSupport::Clamp(10, 7, 5), 10},
        {"Clamp inverted, above low", MSupport::Clamp(10, 12, 5), 5}, {"SatAdd", SatAdd(100, 15), 115},
        {"SatAdd high", SatAdd(INT_MAX, 1), INT_MAX}, {"SatAdd low", SatAdd(INT_MIN, -5), INT_MIN}, {"SatSub low", SatSub(INT_MIN, 1), INT_MIN},
        {"SatSub high", SatSub(0, INT_MIN), INT_MAX}, {"SatMul sign", SatMul(INT_MIN, -1), INT_MAX}, {"SatMul low", SatMul(-70000, 70000), INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.name;
    EXPECT_TRUE(MSupport::FormatVersion(12, 3, 456) == "12.03.0456" && MSupport::FormatVersion(123, 456, 78901) == "123.456.78901");
}

TEST(Support, WheelSettingsAskTheSystemFirstAndTheLegacyWindowOnlyForZero) {
    for (const bool chars : {false, true}) {
        SCOPED_TRACE(chars ? "characters" : "lines");
        FakeWindowSystem fake;
        const auto get = chars ? &MSupport::GetWheelScrollChars : &MSupport::GetWheelScrollLines;
        std::int32_t& setting = chars ? fake.wheelScrollChars : fake.wheelScrollLines;  // the other one stays 3
        setting = WHEEL_PAGESCROLL;
        EXPECT_EQ(get(), -1);
        EXPECT_TRUE(fake.CallsOf(Api::FindWindow).empty());
        EXPECT_EQ(fake.CallsOf(Api::SystemParametersInfo).at(0).message, chars ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES);

        setting = 0;
        EXPECT_EQ(get(), 0) << "no legacy window";
        EXPECT_EQ(fake.CallsOf(Api::FindWindow).at(0).text, "MouseZ|Magellan MSWHEEL");
        const win::Hwnd legacy = fake.CreateWindow("MouseZ");
        fake.Window(legacy).title = "Magellan MSWHEEL";
        fake.Window(legacy).answer = 7;
        fake.ClearCalls();
        EXPECT_EQ(get(), 7);
        EXPECT_EQ(fake.CallsOf(Api::RegisterWindowMessage).at(0).text, "MSH_SCROLL_LINES_MSG");
        const auto sent = fake.CallsOf(Api::SendMessage).at(0);
        EXPECT_TRUE(sent.window == legacy && sent.wParam == 0u && sent.lParam == 0);
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
    EXPECT_EQ(calls, (std::vector<std::string>{"first 1", "third 2"}));
    EXPECT_EQ(value, 2);
    event.Disconnect(third);  // already gone: nothing
    EXPECT_EQ(event.Connect(nullptr), 0u);
}

}  // namespace
}  // namespace brennick
