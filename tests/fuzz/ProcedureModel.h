// The procedure chain each window should have, predicted from the procedure changes the hooks
// make: a hook pushes its procedure, an unhook in reverse order pops it. Anything else (an
// unhook whose hook is found nowhere in the chain, a refused restore, a property removed by a third party) makes the chain
// of that window unpredictable until the window is created anew.
#pragma once

#include <map>
#include <vector>

#include "platform/Win32Types.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick::fuzz {

struct Chain {
    std::vector<win::WndProc> procedures;  // bottom first: the window's own procedure
    bool predictable = true;
    bool robbed = false;       // a third party removed a hook's property
    unsigned incarnation = 0;  // tells the windows that one handle named apart
};

class ProcedureModel {
public:
    // A window that starts with the double's own procedure (new, or under a reused handle).
    void Created(win::Hwnd window);
    // Every call the components make, before the double carries it out.
    void Observe(const test::Call& call, test::FakeWindowSystem& fake);
    void Robbed(win::Hwnd window);
    const Chain* Find(win::Hwnd window) const;

private:
    void Unlinked(const test::Call& call);

    std::map<win::Hwnd, Chain> chains_;
    win::Hwnd detaching_ = nullptr;  // a detach asked for this window's procedure
    unsigned incarnations_ = 0;
    // A procedure change right after SetPropA on the same window is a hook; any other is an unhook.
    test::Api lastApi_ = test::Api::IsWindow;
    win::Hwnd lastWindow_ = nullptr;
};

}  // namespace brennick::fuzz
