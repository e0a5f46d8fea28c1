// The one exception boundary of every procedure the window system calls: the library's shared
// window procedures and glide timer, and the test window's toolkit. Each runs its whole body
// through AtBoundary. Nothing thrown may unwind through the system's frames, so an exception
// that reaches the boundary ends the program at once (noexcept calls std::terminate), at the
// place it was thrown, where a debugger or a crash report still shows it.
#pragma once

#include <utility>

namespace brennick::platform {

template <class Body>
decltype(auto) AtBoundary(Body&& body) noexcept {
    return std::forward<Body>(body)();
}

}  // namespace brennick::platform
