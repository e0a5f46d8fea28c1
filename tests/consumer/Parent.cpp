// The parent's own code includes its support/Event.h and Brennick's headers side by side; of
// Brennick only include/brennick (and the generated Version.h) is on its path.
#include "support/Event.h"

#include <brennick/CScrollBars.h>
#include <brennick/Event.h>
#include <brennick/Version.h>

#if __has_include(<controls/hook/Hooks.h>) || __has_include(<app/frmMain.h>)
#error "Brennick's repository root is on the parent's include path"
#endif

static_assert(sizeof(parent::Event) == sizeof(int));
static_assert(sizeof(brennick::Event<int>) > 0 && brennick::kLibraryVersionMajor >= 1);
