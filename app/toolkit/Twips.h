// Twips (1/1440 inch), the unit of the layout, and their conversion to pixels at a window's DPI.
#pragma once

#include "app/toolkit/Windows.h"

namespace brennick::ui {

inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Dots per inch, across and down.
struct Dpi {
    int x = 96;
    int y = 96;
};

// MulDiv rounds to the nearest pixel, so layout values that are whole pixels at 96 DPI stay exact.
inline int PixelsFromTwips(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

// A twips value that need not be whole (a picture's Left or Top); rounded to the nearest pixel and
// held to the int range, so no position, however far off, can overflow.
int PixelsFromTwips(double twips, int dpi);

inline PixelRect ToPixels(const TwipsRect& rect, Dpi dpi) {
    return {PixelsFromTwips(rect.left, dpi.x), PixelsFromTwips(rect.top, dpi.y), PixelsFromTwips(rect.width, dpi.x),
            PixelsFromTwips(rect.height, dpi.y)};
}

// The DPI of a window, from its device context; 96 if the window has none.
Dpi DpiOf(HWND window);

}  // namespace brennick::ui
