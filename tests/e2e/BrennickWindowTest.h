// The fixture of the tests that need the running window: a fresh program for each test, which
// must end with exit code 0 when its window is closed.
#pragma once

#include <gtest/gtest.h>

#include "app/ControlIds.h"
#include "tests/e2e/Expected.h"
#include "tests/e2e/RunningBrennick.h"

namespace brennick::e2e {

class BrennickWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(app.Form(), nullptr);
        ASSERT_EQ(app.ScreenDpi(), 96) << "the expected pixel places are those at 96 DPI";
    }
    void TearDown() override { EXPECT_EQ(app.Close(), 0u) << "exit code after closing the window"; }

    HWND Window(int id) const { return app.Control(id); }

    RunningBrennick app;
};

}  // namespace brennick::e2e
