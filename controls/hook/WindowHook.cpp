#include <brennick/detail/WindowHook.h>

#include <mutex>  // std::lock_guard
#include <utility>

#include "controls/hook/CrossThread.h"
#include "controls/hook/HookLink.h"

namespace brennick::detail {

// Read under the hook's lock, without a copy of the link: a getter runs this on every call.
win::Hwnd WindowHook::TargetWnd(const RefCounted& owner) const {
    const std::lock_guard guard(lock_);
    return link_ != nullptr && link_->ServedBy(owner) ? link_->window : nullptr;
}

win::WndProc WindowHook::PrevWndProc(const RefCounted& owner) const {
    const std::lock_guard guard(lock_);
    return link_ != nullptr && link_->ServedBy(owner) ? link_->prev : nullptr;
}

std::shared_ptr<HookLink> WindowHook::Link() const {
    const std::lock_guard guard(lock_);
    return link_;
}

void WindowHook::Link(std::shared_ptr<HookLink> link) {
    const std::lock_guard guard(lock_);
    link_.swap(link);
}  // the link held before goes here, outside the lock

bool WindowHook::Run(win::Hwnd window, void (*call)(void*), void* context) {
    return CrossThread::Run(window, call, context);
}

}  // namespace brennick::detail
