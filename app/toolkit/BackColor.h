// A background colour as the toolkit stores it: 0x00BBGGRR, or, with the top bit set, the system
// colour whose index is in the low bits, looked up each time it is painted so that it follows
// the user's colour scheme.
#pragma once

#include <cstdint>

#include "app/toolkit/Handles.h"
#include "app/toolkit/Windows.h"

namespace brennick::ui {

inline constexpr std::uint32_t kSystemColorFlag = 0x80000000u;

constexpr std::uint32_t SystemColor(int index) { return kSystemColorFlag | static_cast<std::uint32_t>(index); }

class BackColor {
public:
    explicit BackColor(std::uint32_t stored) { Set(stored); }

    std::uint32_t Stored() const { return stored_; }
    void Set(std::uint32_t stored);

    COLORREF Resolve() const;  // the colour to paint now
    HBRUSH Brush() const;      // a brush of that colour; null for an index the system doesn't know

private:
    bool IsSystem() const { return (stored_ & kSystemColorFlag) != 0; }
    int SystemIndex() const { return static_cast<int>(stored_ & 0xFFFFu); }

    std::uint32_t stored_ = 0;
    UniqueBrush ownBrush_;  // for a fixed colour; system colours use the system's own brushes
};

// Publishes a control's stored background colour as the window property kBackColorProperty, so
// that automation tools can read it from outside the process.
void PublishBackColor(HWND window, std::uint32_t stored);

}  // namespace brennick::ui
