// The example's window: a frame filled by one panel that lists rows. A CScrollBars gives the
// panel its scroll bars, keys, wheel scrolling by the system's settings, a middle-button pan and
// scrolling at the edge of a drag, and lets each step glide; a cSubClassWheel notes each wheel turn
// over the panel and passes it on.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/Ref.h>

namespace example {

// Bar units: one row on the vertical bar, one character column on the horizontal bar.
inline constexpr std::int32_t kRows = 100;
inline constexpr std::int32_t kPageRows = 10;
inline constexpr std::int32_t kColumns = 80;
inline constexpr std::int32_t kPageColumns = 20;
// Line, page, key and wheel steps glide to their target over this many milliseconds.
inline constexpr std::int32_t kGlideMilliseconds = 80;

class ExampleWindow {
public:
    // Creates the frame and its panel, hidden, and attaches and configures both components.
    explicit ExampleWindow(HINSTANCE instance);
    // Releases the components, then destroys the frame if it is still open.
    ~ExampleWindow();
    ExampleWindow(const ExampleWindow&) = delete;
    ExampleWindow& operator=(const ExampleWindow&) = delete;

    HWND Frame() const { return frame_; }
    HWND Panel() const { return panel_; }
    // Every component event so far, oldest first, as "VChange 12"; the panel shows the latest.
    const std::vector<std::string>& Events() const { return events_; }

    // Drops both components; each puts the panel's previous window procedure back as it ends.
    void ReleaseComponents();

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void AttachComponents();
    void OnPosition(const char* event, std::int32_t position);
    void OnFrameSize();
    void OnFrameDestroy();
    void OnFrameNcDestroy();
    void OnPanelPaint();

    HWND frame_ = nullptr;
    HWND panel_ = nullptr;
    brennick::Ref<brennick::CScrollBars> scrollBars_;
    brennick::Ref<brennick::cSubClassWheel> wheel_;
    std::vector<std::string> events_;
};

}  // namespace example
