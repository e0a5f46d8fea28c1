#include <brennick/detail/WindowHook.h>

#include <mutex>  // std::lock_guard
#include <utility>

#include "controls/hook/CrossThread.h"
#include "controls/hook/HookLink.h"

namespace brennick::detail {

win::Hwnd WindowHook::TargetWnd(const RefCounted& owner) const {
    const std::shared_ptr<HookLink> link = Link();
    return link != nullptr && link->ServedBy(owner) ? link->window : nullptr;
}

win::WndProc WindowHook::PrevWndProc(const RefCounted& owner) const {
    const std::shared_ptr<HookLink> link = Link();
    return link != nullptr && link->ServedBy(owner) ? link->prev : nullptr;
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
