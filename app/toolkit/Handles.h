// One owner for every window-system handle this program, its tests and its benchmark acquire:
// Unique<Handle, Release> gives the handle back through Release when it ends. Release is a small
// function object; where giving back needs more than the handle (the window of a DC, the paint
// record), it carries that too. Child windows need no owner: their parent destroys them.
#pragma once

#include <utility>

#include "app/toolkit/Windows.h"

namespace brennick::ui {

template <class Handle, class Release>
class Unique {  // NOLINT(cppcoreguidelines-special-member-functions): its assignment by value moves
public:
    Unique() = default;
    explicit Unique(Handle handle, Release release = {}) : handle_(handle), release_(std::move(release)) {}
    ~Unique() { Reset(); }
    Unique(Unique&& other) noexcept
        : handle_(std::exchange(other.handle_, Handle{})), release_(std::move(other.release_)) {}
    Unique& operator=(Unique other) noexcept {
        std::swap(handle_, other.handle_);
        std::swap(release_, other.release_);
        return *this;
    }

    Handle Get() const { return handle_; }
    const Release& Releaser() const { return release_; }
    // Gives back the handle held, if any, and holds handle from now on.
    void Reset(Handle handle = Handle{}) {
        if (const Handle old = std::exchange(handle_, handle); old != Handle{}) release_(old);
    }
    // Lets go without giving back (the system has already taken the handle).
    void Forget() { handle_ = Handle{}; }

private:
    Handle handle_{};
    Release release_{};
};

template <auto Function>
struct Call {
    template <class Handle>
    void operator()(Handle handle) const {
        Function(handle);
    }
};

using UniqueBrush = Unique<HBRUSH, Call<&DeleteObject>>;
using UniqueBitmap = Unique<HBITMAP, Call<&DeleteObject>>;
using UniqueMemoryDc = Unique<HDC, Call<&DeleteDC>>;
using UniqueKernelHandle = Unique<HANDLE, Call<&CloseHandle>>;
// A window this program destroys, unless the system has destroyed it first (its procedure calls
// Forget() at WM_NCDESTROY).
using UniqueWindow = Unique<HWND, Call<&DestroyWindow>>;

// A window's client-area DC (GetDC), given back with ReleaseDC.
struct ReleaseWindowDc {
    HWND window = nullptr;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
using WindowDc = Unique<HDC, ReleaseWindowDc>;
inline WindowDc GetWindowDc(HWND window) { return WindowDc(GetDC(window), {window}); }

// The DC of one WM_PAINT, from BeginPaint to EndPaint; Releaser().paint.rcPaint is what to paint.
struct EndPainting {
    HWND window = nullptr;
    PAINTSTRUCT paint{};
    void operator()(HDC) const { EndPaint(window, &paint); }
};
using PaintDc = Unique<HDC, EndPainting>;
inline PaintDc BeginPainting(HWND window) {
    EndPainting end{window, {}};
    const HDC dc = BeginPaint(window, &end.paint);
    return PaintDc(dc, end);
}

// An object selected into a DC; the one it displaced goes back in when it ends.
struct SelectBack {
    HDC dc = nullptr;
    void operator()(HGDIOBJ previous) const { SelectObject(dc, previous); }
};
using Selection = Unique<HGDIOBJ, SelectBack>;
inline Selection Select(HDC dc, HGDIOBJ object) { return Selection(SelectObject(dc, object), {dc}); }

}  // namespace brennick::ui
