/// @file
/// Event, the components' events: the handlers connected to one, called in turn when it is raised.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace brennick {

/// A component event: the handlers connected to it, called synchronously, in the order they were
/// connected, by the component that raises it, with the arguments Args.
///
/// Not for concurrent use: a component raises its events on its window's thread, so connect and
/// disconnect there too (or before the window is hooked). The event owns its handlers and all
/// they capture; see Connect() for the reference cycle that this allows.
template <class... Args>
class Event {
public:
    /// A handler: any callable that takes the event's arguments. It must not throw.
    using Handler = std::function<void(Args...)>;
    /// Names one connected handler, for Disconnect(); 0 names none.
    using Connection = std::uint64_t;  // names one connected handler; 0 names none

    /// Adds handler after those already connected and returns the Connection that Disconnect()
    /// takes to remove it; an empty handler is ignored (the result is then 0).
    ///
    /// The event keeps handler, and everything it captures, until it is disconnected or the
    /// event ends with its component. So a handler that captures a Ref to the component that owns
    /// this event makes a cycle: the component is never destroyed and its window stays hooked
    /// after the owner drops its last Ref. Capture a raw pointer instead (the handler cannot
    /// outlive the component that owns it), or the window handle and look the component up when
    /// the handler runs (modSubclassScrollBars::ScrollBarsFromWindow(),
    /// modSubclassWheel::WheelFromWindow()), or call DisconnectAll() before dropping the last Ref.
    Connection Connect(Handler handler) {
        if (!handler) return 0;
        auto slots = Copy();
        slots->push_back(std::make_shared<Slot>(++lastConnection_, std::move(handler)));
        slots_ = std::move(slots);
        return lastConnection_;
    }

    /// Removes the handler that connection names; an unknown connection (0 included) changes
    /// nothing. A handler disconnected while the event is being raised is not called after that.
    void Disconnect(Connection connection) {
        auto slots = Copy();
        std::erase_if(*slots, [&](const std::shared_ptr<Slot>& slot) {
            if (slot->connection != connection) return false;
            slot->connected = false;
            return true;
        });
        slots_ = std::move(slots);
    }

    /// Removes every handler, and with them whatever they captured.
    void DisconnectAll() {
        if (slots_) {
            for (const auto& slot : *slots_) slot->connected = false;
        }
        slots_.reset();
    }

    /// Calls every connected handler in turn with args (the component that owns the event does
    /// this). A handler may connect, disconnect (itself too) or drop the object that raised it:
    /// the raise goes on over the handlers connected when it began, skipping those disconnected
    /// before their turn.
    void Raise(Args... args) const {
        const auto slots = slots_;  // the list as it is now; changes make a new one
        if (!slots) return;
        for (const auto& slot : *slots) {
            if (slot->connected) slot->handler(args...);
        }
    }

private:
    struct Slot {
        Slot(Connection id, Handler h) : connection(id), handler(std::move(h)) {}
        Connection connection;
        Handler handler;
        bool connected = true;
    };
    using Slots = std::vector<std::shared_ptr<Slot>>;

    std::shared_ptr<Slots> Copy() const {
        return slots_ ? std::make_shared<Slots>(*slots_) : std::make_shared<Slots>();
    }

    std::shared_ptr<const Slots> slots_;
    Connection lastConnection_ = 0;
};

}  // namespace brennick
