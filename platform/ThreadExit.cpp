#include "platform/ThreadExit.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace brennick::platform {

#if defined(_WIN32)

namespace {
void WINAPI RunAtExit(void* callback) {
    if (callback != nullptr) reinterpret_cast<void (*)()>(callback)();
}
}  // namespace

void AtThreadExit(void (*callback)()) noexcept {
    static const DWORD slot = FlsAlloc(&RunAtExit);
    if (slot != FLS_OUT_OF_INDEXES) FlsSetValue(slot, reinterpret_cast<void*>(callback));
}

#else

void AtThreadExit(void (*)()) noexcept {}

#endif

}  // namespace brennick::platform
