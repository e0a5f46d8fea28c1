#include "controls/hook/HookLink.h"

#include <mutex>  // std::lock_guard

namespace brennick::detail {
namespace {

bool Drawn(LinkState from, LinkState to) {
    switch (from) {
    case LinkState::Attached:
        return to == LinkState::Released || to == LinkState::PassingThrough;
    case LinkState::Released:
        return to == LinkState::PassingThrough;
    case LinkState::PassingThrough:
        return to == LinkState::Attached;
    case LinkState::Unlinked:
        return false;
    }
    return false;
}

}  // namespace

bool HookLink::ServedBy(const RefCounted& owner) const {
    const std::lock_guard guard(lock_);
    return state_.load(std::memory_order_relaxed) == LinkState::Attached && owner_ == &owner;
}

Ref<RefCounted> HookLink::Serving() const {
    const std::lock_guard guard(lock_);
    if (state_.load(std::memory_order_relaxed) != LinkState::Attached) return {};
    return Ref<RefCounted>::TryRetain(owner_);
}

std::optional<HookLink::Holding> HookLink::Become(Holding from, Holding to) {
    const std::lock_guard guard(lock_);
    const Holding held{state_.load(std::memory_order_relaxed), owner_};
    if (held.state != from.state || (from.owner != nullptr && from.owner != held.owner) ||
        !Drawn(held.state, to.state)) {
        return std::nullopt;
    }
    owner_ = to.owner;
    state_.store(to.state, std::memory_order_release);
    return held;
}

HookLink::Holding HookLink::Unlink() {
    const std::lock_guard guard(lock_);
    const Holding held{state_.load(std::memory_order_relaxed), owner_};
    owner_ = nullptr;
    state_.store(LinkState::Unlinked, std::memory_order_release);
    return held;
}

}  // namespace brennick::detail
