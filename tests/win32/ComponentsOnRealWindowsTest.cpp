// The components on real windows: the tables of scroll-bar, wheel and pointer cases.
#include <gtest/gtest.h>

#include "tests/win32/PointerCases.h"
#include "tests/win32/ScrollBarCases.h"
#include "tests/win32/WheelCases.h"
#include "tests/win32/TestWindow.h"

namespace brennick::test {
namespace {

// Each scroll-bar row on both bars; the pointer rows leave the session's wheel settings as they
// found them (3 lines and 3 characters a notch).
TEST(OnRealWindows, TheScrollBarWheelAndPointerTables) {
    for (const ScrollBarCase& c : kScrollBarCases)
        for (const bool h : {true, false}) RunScrollBarCase(c, h);
    RunWheelSequences();
    RunWheelConsumption();
    for (const PointerCase& c : kWheelScrollCases) RunPointerCase(c);
    for (const PointerCase& c : kPointerCases) RunPointerCase(c);
    WheelSettings(3, 3);
}

}  // namespace
}  // namespace brennick::test
