// A component event: one handler, called synchronously by the component that raises it.
#pragma once

#include <functional>
#include <utility>

namespace brennick {

template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    // Replaces the handler; an empty handler disconnects.
    void Connect(Handler handler) { handler_ = std::move(handler); }
    void Disconnect() { handler_ = nullptr; }

    // Calls the handler, if any. The handler runs from a copy, so it may replace or clear
    // itself (or drop the object that raised it) while it runs.
    void Raise(Args... args) const {
        if (!handler_) return;
        const Handler handler = handler_;
        handler(std::forward<Args>(args)...);
    }

private:
    Handler handler_;
};

}  // namespace brennick
