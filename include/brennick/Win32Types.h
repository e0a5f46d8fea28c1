/// @file
/// Window-system types shared by the components, the support routines and the window layer.
/// They match the Win32 types exactly, without pulling in `<windows.h>`, so the same headers
/// build for Windows and for the host (where the window layer is a test double), and they
/// define no name of `<windows.h>` in the global namespace.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

// The tag <windows.h> declares for a strict HWND, so brennick::win::Hwnd and HWND are one type.
struct HWND__;  // NOLINT(bugprone-reserved-identifier): <windows.h>'s own name, so that HWND is this type

#if defined(_WIN32) && !defined(_WIN64)
/// The calling convention of a window procedure (`CALLBACK`): `__stdcall` on 32-bit Windows.
#define BRENNICK_CALLBACK __stdcall
#else
/// The calling convention of a window procedure (`CALLBACK`): `__stdcall` on 32-bit Windows,
/// and nothing on 64-bit Windows and the host, which have one convention only.
#define BRENNICK_CALLBACK
#endif

/// The Win32 types of the interfaces, under names of their own: each is the same type as its
/// `<windows.h>` counterpart, so values pass between the two without casts.
namespace brennick::win {

/// `HWND` (with `STRICT`, the default): brennick::win::Hwnd and `HWND` are one type.
using Hwnd = HWND__*;

#if defined(_WIN64)
/// `WPARAM` (`UINT_PTR`): 64 bits on 64-bit Windows, 32 bits on 32-bit Windows.
using WParam = unsigned long long;  // UINT_PTR
/// `LPARAM` (`LONG_PTR`): 64 bits on 64-bit Windows, 32 bits on 32-bit Windows.
using LParam = long long;  // LONG_PTR
#elif defined(_WIN32)
/// `WPARAM` (`UINT_PTR`): 32 bits on 32-bit Windows, 64 bits on 64-bit Windows.
using WParam = unsigned int;  // UINT_PTR
/// `LPARAM` (`LONG_PTR`): 32 bits on 32-bit Windows, 64 bits on 64-bit Windows.
using LParam = long;  // LONG_PTR
#else
/// `WPARAM` (`UINT_PTR`): pointer-sized, unsigned.
using WParam = std::uintptr_t;
/// `LPARAM` (`LONG_PTR`): pointer-sized, signed.
using LParam = std::intptr_t;
#endif
/// `LRESULT`, a window procedure's answer (`LONG_PTR`, as LParam).
using LResult = LParam;  // LRESULT is a LONG_PTR as well

/// `WNDPROC`, a window procedure: window, message, wParam, lParam.
using WndProc = LResult(BRENNICK_CALLBACK*)(Hwnd, unsigned int, WParam, LParam);

/// `SCROLLINFO`, the scroll-bar record of `GetScrollInfo` and `SetScrollInfo`: seven 32-bit
/// fields, 28 bytes.
struct ScrollInfo {
    /// The record's size, 28.
    std::uint32_t cbSize = sizeof(ScrollInfo);
    /// The `SIF_*` bits: which fields a call reads or fills.
    std::uint32_t fMask = 0;
    /// The low end of the range (`SIF_RANGE`).
    std::int32_t nMin = 0;
    /// The high end of the range (`SIF_RANGE`).
    std::int32_t nMax = 0;
    /// The page size (`SIF_PAGE`).
    std::uint32_t nPage = 0;
    /// The position (`SIF_POS`).
    std::int32_t nPos = 0;
    /// The thumb's position while it is dragged (`SIF_TRACKPOS`; read only).
    std::int32_t nTrackPos = 0;
};
static_assert(sizeof(ScrollInfo) == 28);

/// `RECT`, here in screen coordinates: the right and bottom edges lie one pixel outside.
struct Rect {
    /// The left edge, x.
    std::int32_t left = 0;
    /// The top edge, y.
    std::int32_t top = 0;
    /// The right edge, x, one pixel outside.
    std::int32_t right = 0;
    /// The bottom edge, y, one pixel outside.
    std::int32_t bottom = 0;
};

/// A window handle as callers pass it: `HWND` in either mode of `<windows.h>` (`HWND__*` with
/// `STRICT`, `void*` with `NO_STRICT`) or `nullptr`. Any other pointer is refused at compile time.
class WindowHandle {
public:
    /// A `STRICT` `HWND` (or a brennick::win::Hwnd).
    // cppcheck-suppress noExplicitConstructor ; implicit by design, as HWND is passed
    constexpr WindowHandle(Hwnd window) noexcept : window_(window) {}  // NOLINT: implicit by design
    /// No window.
    // cppcheck-suppress noExplicitConstructor ; implicit by design, as nullptr is passed
    constexpr WindowHandle(std::nullptr_t) noexcept {}  // NOLINT
    /// A `NO_STRICT` `HWND`, which is a `void*`; no other pointer type is taken.
    template <class P>
    // cppcheck-suppress noExplicitConstructor ; implicit by design, as a NO_STRICT HWND is passed
    requires std::is_same_v<P, void*> WindowHandle(P window)
    noexcept : window_(static_cast<Hwnd>(window)) {}  // NOLINT

    /// The handle, as an Hwnd.
    constexpr operator Hwnd() const noexcept { return window_; }  // NOLINT

private:
    Hwnd window_ = nullptr;
};

}  // namespace brennick::win
