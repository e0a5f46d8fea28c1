#include "ExampleWindow.h"

#include <cstddef>
#include <string>

#include <brennick/Bool16.h>

namespace example {
namespace {

constexpr const char* kFrameClass = "BrennickExampleFrame";
constexpr const char* kPanelClass = "BrennickExamplePanel";

void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);  // fails harmlessly when an earlier window registered it
}

// Both windows carry their ExampleWindow, passed at creation.
void RememberOwner(HWND window, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

std::string RowText(std::int32_t row) {
    std::string text = "Row " + std::to_string(row) + " ";
    while (text.size() < static_cast<std::size_t>(kColumns)) text += static_cast<char>('0' + text.size() % 10);
    return text;
}

}  // namespace

ExampleWindow::ExampleWindow(HINSTANCE instance) {
    RegisterWindowClass(instance, kFrameClass, &FrameProc);
    RegisterWindowClass(instance, kPanelClass, &PanelProc);
    frame_ = CreateWindowExA(0, kFrameClass, "Brennick example", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                             CW_USEDEFAULT, 480, 320, nullptr, nullptr, instance, this);
    if (frame_ == nullptr) return;
    panel_ = CreateWindowExA(WS_EX_CLIENTEDGE, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, frame_,
                             nullptr, instance, this);
    OnFrameSize();
    AttachComponents();
}

ExampleWindow::~ExampleWindow() {
    ReleaseComponents();
    if (frame_ != nullptr) DestroyWindow(frame_);
}

void ExampleWindow::AttachComponents() {
    using brennick::kTrue;
    scrollBars_ = brennick::MakeRef<brennick::CScrollBars>();
    scrollBars_->SubClass(panel_);
    // DisableNoScroll before the range: it applies from the next push of its bar on.
    scrollBars_->VVisible(kTrue);
    scrollBars_->VDisableNoScroll(kTrue);
    scrollBars_->VMin(0);
    scrollBars_->VMax(kRows - 1);
    scrollBars_->VLargeChange(kPageRows);
    scrollBars_->VSmallChange(1);
    scrollBars_->VValue(0);
    scrollBars_->HVisible(kTrue);
    scrollBars_->HDisableNoScroll(kTrue);
    scrollBars_->HMin(0);
    scrollBars_->HMax(kColumns - 1);
    scrollBars_->HLargeChange(kPageColumns);
    scrollBars_->HSmallChange(1);
    scrollBars_->HValue(0);
    scrollBars_->KeyboardSupport(kTrue);  // the arrows, Page Up/Down and Home/End scroll the focused panel
    scrollBars_->SmoothScroll(kGlideMilliseconds);
    scrollBars_->WheelScroll(kTrue);  // rows and columns by the system's settings, parts of a notch too
    scrollBars_->PanSupport(kTrue);   // the middle button pans
    scrollBars_->EdgeScroll(kTrue);   // a drag beyond an edge scrolls
    scrollBars_->VChange.Connect([this](std::int32_t position) { OnPosition("VChange", position); });
    scrollBars_->VScroll.Connect([this](std::int32_t position) { OnPosition("VScroll", position); });
    scrollBars_->HChange.Connect([this](std::int32_t position) { OnPosition("HChange", position); });
    scrollBars_->HScroll.Connect([this](std::int32_t position) { OnPosition("HScroll", position); });

    // Hooked after the controller, so the wheel hook sees each wheel message first: it notes the
    // turn and passes it on (Wheeled stays false) to the controller, which scrolls.
    wheel_ = brennick::MakeRef<brennick::cSubClassWheel>();
    wheel_->SubClass(panel_);
    wheel_->HWheelSupport(kTrue);
    wheel_->WheelRotate.Connect([this](std::int32_t& delta, auto&, auto&, auto&, brennick::Bool16&) {
        events_.push_back("WheelRotate " + std::to_string(delta));
    });
    wheel_->HWheelRotate.Connect([this](std::int32_t& delta, auto&, auto&, auto&, brennick::Bool16&) {
        events_.push_back("HWheelRotate " + std::to_string(delta));
    });
}

void ExampleWindow::ReleaseComponents() {
    // In the reverse order of hooking, so that each one restores the procedure it replaced.
    wheel_.Reset();
    scrollBars_.Reset();
}

void ExampleWindow::OnPosition(const char* event, std::int32_t position) {
    events_.push_back(std::string(event) + " " + std::to_string(position));
    InvalidateRect(panel_, nullptr, TRUE);
}

void ExampleWindow::OnFrameSize() {
    if (panel_ == nullptr) return;  // the first WM_SIZE comes while the frame is being created
    RECT client{};
    GetClientRect(frame_, &client);
    MoveWindow(panel_, 0, 0, client.right, client.bottom, TRUE);
}

void ExampleWindow::OnFrameDestroy() {
    // The frame is not hooked, and its children still exist: the components can restore the panel now.
    ReleaseComponents();
    PostQuitMessage(0);
}

void ExampleWindow::OnFrameNcDestroy() {
    frame_ = nullptr;
    panel_ = nullptr;
}

void ExampleWindow::OnPanelPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(panel_, &paint);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    // The bars hold the positions; the window keeps no copy of its own.
    const std::int32_t top = scrollBars_ ? scrollBars_->VValue() : 0;
    const std::int32_t left = scrollBars_ ? scrollBars_->HValue() : 0;
    const std::string latest =
        events_.empty() ? "Click the bars, press the arrow keys or turn the wheel." : "Latest event: " + events_.back();
    TextOutA(dc, 4, 2, latest.c_str(), static_cast<int>(latest.size()));
    for (std::int32_t line = 0; line < kPageRows && top + line < kRows; ++line) {
        const std::string text = RowText(top + line);
        TextOutA(dc, 4 - left * metrics.tmAveCharWidth, 2 + (line + 1) * metrics.tmHeight, text.c_str(),
                 static_cast<int>(text.size()));
    }
    EndPaint(panel_, &paint);
}

LRESULT CALLBACK ExampleWindow::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) RememberOwner(window, lParam);
    auto* self = reinterpret_cast<ExampleWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        self->OnFrameSize();
        return 0;
    case WM_SETFOCUS:
        SetFocus(self->panel_);
        return 0;
    case WM_DESTROY:
        self->OnFrameDestroy();
        return 0;
    case WM_SETTINGCHANGE:  // the top-level window hears of it; the panel's controller reads it again
        SendMessageA(self->panel_, message, wParam, lParam);
        break;
    case WM_NCDESTROY:
        self->OnFrameNcDestroy();
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ExampleWindow::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) RememberOwner(window, lParam);
    auto* self = reinterpret_cast<ExampleWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        self->OnPanelPaint();
        return 0;
    case WM_LBUTTONDOWN:  // a selection drag holds the capture: beyond an edge it scrolls
        SetFocus(window);
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace example
