// Running a function on a thread as it ends: a fiber-local slot's callback on Windows (kernel32
// only, as the lock). On the host, where windows are the double's and threads are simulated, it
// does nothing.
#pragma once

namespace brennick::platform {

// callback runs on the calling thread when that thread ends; the last call on a thread wins.
void AtThreadExit(void (*callback)()) noexcept;

}  // namespace brennick::platform
