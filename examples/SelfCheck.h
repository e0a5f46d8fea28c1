// The example's --self-check: drives its hidden window with the messages that clicks on the bars
// and a wheel turn send, and checks that the panel got its scroll bars and the components' events.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace example {

// Prints one result line (and a line per failed check); returns 0 when every check held, else 1.
int RunSelfCheck(HINSTANCE instance);

}  // namespace example
