// Scroll messages move the pictures and show the left panel's positions; a double-click on the
// window brings the left panel back to a quarter of its ranges.
#include "tests/e2e/BrennickWindowTest.h"

namespace brennick::e2e {
namespace {

using PositionDisplay = BrennickWindow;
using namespace ControlId;

TEST_F(PositionDisplay, EveryKindOfVerticalScrollMovesTheLeftPictureAndLabel) {
    struct Step {
        int code;
        int expected;
    };
    const Step steps[] = {
        {SB_LINEDOWN, 105}, {SB_LINEUP, 100}, {SB_PAGEDOWN, kHighestPosition}, {SB_PAGEUP, 0},
        {SB_BOTTOM, kHighestPosition}, {SB_TOP, 0}, {SB_LINEUP, 0},
        {SB_THUMBTRACK, 0},  // no drag in progress: the bar keeps its position and says so again
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.code);
        app.Scroll(picControlLeft, WM_VSCROLL, step.code);
        EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, step.expected);
        EXPECT_EQ(app.Text(lblPosV), Positions(step.expected));
        EXPECT_EQ(app.PictureCorner(picTrialLeft).y, PictureTopAt(step.expected));
        EXPECT_EQ(app.PictureCorner(picTrialLeft).x, 14);
    }
    EXPECT_EQ(app.Text(lblPosH), "PosH");
    EXPECT_EQ(app.PictureCorner(picTrialRight).y, 144);
}

TEST_F(PositionDisplay, EveryKindOfHorizontalScrollMovesTheLeftPictureAndLabel) {
    struct Step {
        int code;
        int expected;
    };
    const Step steps[] = {
        {SB_LINERIGHT, 105}, {SB_PAGERIGHT, kHighestPosition}, {SB_LINELEFT, kHighestPosition - 5},
        {SB_LEFT, 0}, {SB_RIGHT, kHighestPosition}, {SB_PAGELEFT, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.code);
        app.Scroll(picControlLeft, WM_HSCROLL, step.code);
        EXPECT_EQ(app.ScrollBar(picControlLeft, SB_HORZ).pos, step.expected);
        EXPECT_EQ(app.Text(lblPosH), Positions(step.expected));
        EXPECT_EQ(app.PictureCorner(picTrialLeft).x, PictureLeftAt(step.expected));
        EXPECT_EQ(app.PictureCorner(picTrialLeft).y, 144);
    }
    EXPECT_EQ(app.Text(lblPosV), "PosV");
}

TEST_F(PositionDisplay, RightPanelMovesOnlyItsOwnPictureAndOnlyVertically) {
    app.Scroll(picControlRight, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(app.ScrollBar(picControlRight, SB_VERT).pos, kHighestPosition);
    EXPECT_EQ(app.PictureCorner(picTrialRight).y, PictureTopAt(kHighestPosition));
    app.Scroll(picControlRight, WM_VSCROLL, SB_TOP);
    EXPECT_EQ(app.PictureCorner(picTrialRight).y, PictureTopAt(0));

    app.Scroll(picControlRight, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(app.PictureCorner(picTrialRight).x, 14);
    EXPECT_FALSE(app.BarShown(picControlRight, SB_HORZ));

    EXPECT_EQ(app.Text(lblPosH), "PosH");
    EXPECT_EQ(app.Text(lblPosV), "PosV");
    EXPECT_EQ(app.PictureCorner(picTrialLeft).x, 14);
    EXPECT_EQ(app.PictureCorner(picTrialLeft).y, 144);
}

TEST_F(PositionDisplay, DoubleClickBringsTheLeftPanelBackEvenWithItsBarHidden) {
    app.Scroll(picControlLeft, WM_VSCROLL, SB_BOTTOM);
    app.Scroll(picControlLeft, WM_HSCROLL, SB_LEFT);
    app.Scroll(picControlRight, WM_VSCROLL, SB_TOP);

    app.DoubleClickForm(5, 5);  // the window's own surface, outside every control
    EXPECT_EQ(app.Text(lblPosH), "100/100");
    EXPECT_EQ(app.Text(lblPosV), "100/100");
    EXPECT_EQ(app.PictureCorner(picTrialLeft).x, 14);
    EXPECT_EQ(app.PictureCorner(picTrialLeft).y, 144);
    EXPECT_EQ(app.ScrollBar(picControlRight, SB_VERT).pos, 0) << "the right panel keeps its position";
    EXPECT_EQ(app.PictureCorner(picTrialRight).y, PictureTopAt(0));

    app.Click(chkShowScrollH);
    ASSERT_FALSE(app.BarShown(picControlLeft, SB_HORZ));
    app.Scroll(picControlLeft, WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(app.Text(lblPosH), Positions(kHighestPosition));
    app.DoubleClickForm(590, 520);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_HORZ).pos, 100);
    EXPECT_EQ(app.Text(lblPosH), "100/100");
    EXPECT_EQ(app.PictureCorner(picTrialLeft).x, 14);
}

}  // namespace
}  // namespace brennick::e2e
