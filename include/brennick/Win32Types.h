// Window-system types shared by the components, the support routines and the window layer.
// They match the Win32 types exactly, without pulling in <windows.h>, so the same headers
// build for Windows and for the host (where the window layer is a test double), and they
// define no name of <windows.h> in the global namespace.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

// The tag <windows.h> declares for a strict HWND, so brennick::win::Hwnd and HWND are one type.
struct HWND__;

#if defined(_WIN32) && !defined(_WIN64)
#define BRENNICK_CALLBACK __stdcall
#else
#define BRENNICK_CALLBACK
#endif

namespace brennick::win {

using Hwnd = HWND__*;

#if defined(_WIN64)
using WParam = unsigned long long;  // UINT_PTR
using LParam = long long;           // LONG_PTR
#elif defined(_WIN32)
using WParam = unsigned int;  // UINT_PTR
using LParam = long;          // LONG_PTR
#else
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
#endif
using LResult = LParam;  // LRESULT is a LONG_PTR as well

using WndProc = LResult(BRENNICK_CALLBACK*)(Hwnd, unsigned int, WParam, LParam);

// SCROLLINFO: seven 32-bit fields, 28 bytes.
struct ScrollInfo {
    std::uint32_t cbSize = sizeof(ScrollInfo);
    std::uint32_t fMask = 0;
    std::int32_t nMin = 0;
    std::int32_t nMax = 0;
    std::uint32_t nPage = 0;
    std::int32_t nPos = 0;
    std::int32_t nTrackPos = 0;
};
static_assert(sizeof(ScrollInfo) == 28);

// RECT, screen coordinates.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A window handle as callers pass it: HWND in either mode of <windows.h> (HWND__* with STRICT,
// void* with NO_STRICT) or nullptr. Any other pointer is refused at compile time.
class WindowHandle {
public:
    constexpr WindowHandle(Hwnd window) noexcept : window_(window) {}  // NOLINT: implicit by design
    constexpr WindowHandle(std::nullptr_t) noexcept {}                 // NOLINT
    template <class P>
        requires std::is_same_v<P, void*>
    WindowHandle(P window) noexcept : window_(static_cast<Hwnd>(window)) {}  // NOLINT

    constexpr operator Hwnd() const noexcept { return window_; }  // NOLINT

private:
    Hwnd window_ = nullptr;
};

}  // namespace brennick::win
