// The parent's own code includes its support/Event.h and Brennick's headers side by side.
#include "support/Event.h"

#include <brennick/CScrollBars.h>
#include <brennick/Event.h>

static_assert(sizeof(parent::Event) == sizeof(int));
static_assert(sizeof(brennick::Event<int>) > 0);
