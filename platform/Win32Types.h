// Window-system types shared by the components, the support routines and the window layer.
// They match the Win32 types exactly, without pulling in <windows.h>, so the same headers
// build for Windows and for the host (where the window layer is a test double).
#pragma once

#include <cstdint>

// The same tag <windows.h> uses for a strict HWND, so brennick::win::Hwnd and HWND are one type.
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

}  // namespace brennick::win
