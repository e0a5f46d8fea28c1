// The parent's own header of this name: Brennick's headers and sources must never pick it up.
#pragma once

namespace parent {
struct Event {
    int code = 0;
};
}  // namespace parent
