#include "controls/hook/WindowHook.h"

#include <array>

namespace brennick {
namespace {

// The kinds that have attached so far, so a chain of hooked procedures can be followed.
// Everything runs on the user-interface thread.
std::array<const HookKind*, 8> knownKinds{};

void Register(const HookKind& kind) {
    for (const HookKind*& slot : knownKinds) {
        if (slot == &kind) return;
        if (slot == nullptr) {
            slot = &kind;
            return;
        }
    }
}

const HookKind* KindOf(win::WndProc procedure) {
    for (const HookKind* kind : knownKinds) {
        if (kind != nullptr && kind->procedure == procedure) return kind;
    }
    return nullptr;
}

// The hook behind procedure on window, when procedure is a known kind's and its property is there.
WindowHook* HookBehind(win::Hwnd window, win::WndProc procedure) {
    const HookKind* kind = KindOf(procedure);
    if (kind == nullptr) return nullptr;
    void* component = win::GetPropA(window, kind->property);
    return component == nullptr ? nullptr : &kind->hookOf(component);
}

// Chains are short (one hook of each kind); the bound only stops a chain that already loops.
constexpr int kLongestChain = 16;

// Whether forwarding from procedure through the known hooks on window comes to target.
bool ChainLeadsTo(win::Hwnd window, win::WndProc procedure, win::WndProc target) {
    for (int step = 0; step < kLongestChain && procedure != nullptr; ++step) {
        if (procedure == target) return true;
        const WindowHook* hook = HookBehind(window, procedure);
        if (hook == nullptr) return false;
        procedure = hook->PrevWndProc();
    }
    return procedure != nullptr;
}

// The known hook on window, from the top of its chain down, that forwards to target.
WindowHook* HookForwardingTo(win::Hwnd window, win::WndProc top, win::WndProc target) {
    win::WndProc procedure = top;
    for (int step = 0; step < kLongestChain; ++step) {
        WindowHook* hook = HookBehind(window, procedure);
        if (hook == nullptr) return nullptr;
        if (hook->PrevWndProc() == target) return hook;
        procedure = hook->PrevWndProc();
    }
    return nullptr;
}

}  // namespace

void WindowHook::Attach(win::Hwnd window, const HookKind& kind, void* owner) {
    if (!win::IsWindow(window)) return;
    if (win::GetPropA(window, kind.property) != nullptr) return;  // this or another component is there
    if (targetWnd_ != nullptr) return;                             // one window per component
    Register(kind);
    if (!win::SetPropA(window, kind.property, owner)) return;
    const win::WndProc previous = win::SetWindowProcedure(window, kind.procedure);
    if (previous == nullptr) {
        // The procedure was not replaced: leave no property that would outlive this component.
        win::RemovePropA(window, kind.property);
        return;
    }
    if (ChainLeadsTo(window, previous, kind.procedure)) {
        // The window still runs this kind's procedure without its property (someone else
        // removed it): forwarding there would come back here for ever.
        win::SetWindowProcedure(window, previous);
        win::RemovePropA(window, kind.property);
        return;
    }
    Store(window, previous, kind.order);
}

void WindowHook::Store(win::Hwnd window, win::WndProc previous, HookFieldOrder order) {
    if (order == HookFieldOrder::PrevThenTarget) {
        prevWndProc_ = previous;
        targetWnd_ = window;
    } else {
        targetWnd_ = window;
        prevWndProc_ = previous;
    }
}

void WindowHook::Detach(const HookKind& kind, const void* owner) {
    if (!win::IsWindow(targetWnd_)) return;
    if (prevWndProc_ == nullptr) return;
    if (win::GetPropA(targetWnd_, kind.property) == owner) {
        const win::WndProc current = win::GetWindowProcedure(targetWnd_);
        WindowHook* above = current == kind.procedure ? nullptr : HookForwardingTo(targetWnd_, current, kind.procedure);
        if (above != nullptr) {
            above->prevWndProc_ = prevWndProc_;  // unhooked out of order: the later hook skips this one
        } else {
            win::SetWindowProcedure(targetWnd_, prevWndProc_);  // result deliberately unused
        }
        win::RemovePropA(targetWnd_, kind.property);
    }
    prevWndProc_ = nullptr;
    targetWnd_ = nullptr;
}

win::LResult WindowHook::CallPrevious(win::WndProc previous, win::Hwnd window, unsigned int message,
                                      win::WParam wParam, win::LParam lParam) {
    if (previous == nullptr) return win::DefWindowProcA(window, message, wParam, lParam);
    return win::CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace brennick
