#include "app/toolkit/Picture.h"

#include <algorithm>

#include "app/toolkit/Handles.h"
#include "app/toolkit/Panel.h"
#include "app/toolkit/WindowClass.h"
#include "platform/Boundary.h"

namespace brennick::ui {
namespace {

constexpr const char* kClassName = "BrennickPicture";
// Window coordinates are 16-bit in parts of the system; a picture that far away is out of
// sight anyway.
constexpr int kFarthestPixel = 32767;

void RegisterPictureClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Picture::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;  // the bitmap covers the whole window
    windowClass.lpszClassName = kClassName;
    RegisterWindowClassOnce(windowClass);
}

int PixelsForPlacement(float twips, int dpi) {
    return std::clamp(PixelsFromTwips(static_cast<double>(twips), dpi), -kFarthestPixel, kFarthestPixel);
}

}  // namespace

Picture::Picture(Panel& parent, Dpi dpi, const TwipsRect& rect, int id, HBITMAP bitmap)
    : dpi_(dpi),
      rect_(rect),
      bitmap_(bitmap),
      left_(static_cast<float>(rect.left)),
      top_(static_cast<float>(rect.top)) {
    RegisterPictureClass();
    const PixelRect place = ToPixels(rect, dpi);
    placed_ = {place.left, place.top};
    window_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.left, place.top,
                              place.width, place.height, parent.Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
    parent.Adopt(*this);
}

void Picture::Relayout(Dpi dpi) {
    dpi_ = dpi;
    const PixelRect size = ToPixels(rect_, dpi);
    placed_ = {PixelsForPlacement(left_, dpi_.x), PixelsForPlacement(top_, dpi_.y)};
    SetWindowPos(window_, nullptr, placed_.x, placed_.y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Picture::Left(float twips) {
    left_ = twips;
    Place();
}

void Picture::Top(float twips) {
    top_ = twips;
    Place();
}

// Moving the window lets the system copy the picture's pixels and invalidate only the strip of
// the panel it uncovers; painting that strip at once keeps a picture that follows a dragged thumb
// free of trails.
void Picture::Place() {
    const POINT target{PixelsForPlacement(left_, dpi_.x), PixelsForPlacement(top_, dpi_.y)};
    if (target.x == placed_.x && target.y == placed_.y) return;
    placed_ = target;
    SetWindowPos(window_, nullptr, target.x, target.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(GetParent(window_));
}

LRESULT CALLBACK Picture::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return platform::AtBoundary([&]() -> LRESULT {
        Picture* picture = BoundObject<Picture>(window, message, lParam);
        if (picture == nullptr || picture->Handle() != window) return DefWindowProcA(window, message, wParam, lParam);
        switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // clicks belong to the panel, which then takes the focus
        case WM_ERASEBKGND:
            return 1;  // the bitmap covers everything; erasing first would only flicker
        case WM_PAINT:
            return picture->OnPaint();
        default:
            break;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    });
}

LRESULT Picture::OnPaint() {
    const PaintDc dc = BeginPainting(Handle());
    const UniqueMemoryDc source(CreateCompatibleDC(dc.Get()));
    if (source.Get() == nullptr || bitmap_ == nullptr) return 0;
    const Selection selected = Select(source.Get(), bitmap_);
    // The image fills the picture: at 96 DPI pixel for pixel, at other DPIs stretched to its twips.
    BITMAP image{};
    GetObjectA(bitmap_, sizeof image, &image);
    RECT client{};
    GetClientRect(Handle(), &client);
    SetStretchBltMode(dc.Get(), HALFTONE);
    StretchBlt(dc.Get(), 0, 0, client.right, client.bottom, source.Get(), 0, 0, image.bmWidth, image.bmHeight, SRCCOPY);
    return 0;
}

}  // namespace brennick::ui
