// A component event: the handlers connected to it, called synchronously, in the order they were
// connected, by the component that raises it. Not for concurrent use: a component connects,
// raises and disconnects on its window's thread.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace brennick {

template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;
    using Connection = std::uint64_t;  // names one connected handler; 0 names none

    // Adds a handler (an empty one is ignored) and returns what Disconnect takes to remove it.
    Connection Connect(Handler handler) {
        if (!handler) return 0;
        auto slots = Copy();
        slots->push_back(std::make_shared<Slot>(++lastConnection_, std::move(handler)));
        slots_ = std::move(slots);
        return lastConnection_;
    }

    // Removes one handler; an unknown connection changes nothing.
    void Disconnect(Connection connection) {
        auto slots = Copy();
        std::erase_if(*slots, [&](const std::shared_ptr<Slot>& slot) {
            if (slot->connection != connection) return false;
            slot->connected = false;
            return true;
        });
        slots_ = std::move(slots);
    }

    void DisconnectAll() {
        if (slots_) {
            for (const auto& slot : *slots_) slot->connected = false;
        }
        slots_.reset();
    }

    // Calls every connected handler in turn. A handler may connect, disconnect (itself too) or
    // drop the object that raised it: the raise goes on over the handlers connected when it
    // began, skipping those disconnected before their turn.
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

    std::shared_ptr<Slots> Copy() const { return slots_ ? std::make_shared<Slots>(*slots_) : std::make_shared<Slots>(); }

    std::shared_ptr<const Slots> slots_;
    Connection lastConnection_ = 0;
};

}  // namespace brennick
