// The components on real windows: the tables of scroll-bar, wheel and pointer cases.
#include <gtest/gtest.h>

#include "tests/win32/PointerCases.h"
#include "tests/win32/ScrollBarCases.h"
#include "tests/win32/WheelCases.h"
#include "tests/win32/TestWindow.h"

namespace brennick::test {
namespace {

TEST(OnRealWindows, TheScrollBarWheelAndPointerTables) {
    RunScrollBarCases();
    RunWheelSequences();
    RunWheelConsumption();
    RunWheelScrollCases();
    RunPointerCases();
}

}  // namespace
}  // namespace brennick::test
