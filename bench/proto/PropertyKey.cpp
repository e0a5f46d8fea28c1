#include "bench/proto/PropertyKey.h"

#include <cstring>

namespace brennick_bench {
namespace {

struct KnownName {
    char text[256];  // an atom's name has at most 255 characters
    ATOM atom;
};

// The components use two names; a few more slots leave room for other callers. A name met
// when the table is full keeps going as a string.
constexpr int kSlots = 8;
KnownName known[kSlots];
int knownCount = 0;

}  // namespace

LPCSTR PropertyKey(LPCSTR name) {
    // An atom given by the caller, or no name at all, goes through untouched.
    if (IS_INTRESOURCE(name)) return name;
    // Compared by text, not by address: a caller's buffer may hold another name next time.
    for (int i = 0; i < knownCount; ++i) {
        if (std::strcmp(known[i].text, name) == 0) return MAKEINTATOM(known[i].atom);
    }
    if (knownCount == kSlots || std::strlen(name) >= sizeof known[0].text) return name;
    // The reference GlobalAddAtomA takes is kept for the life of the process, so the atom
    // stays valid while it is cached; a property set under it is the same one SetPropA sets
    // under the name's string.
    const ATOM atom = GlobalAddAtomA(name);
    if (atom == 0) return name;
    std::strcpy(known[knownCount].text, name);
    known[knownCount].atom = atom;
    ++knownCount;
    return MAKEINTATOM(atom);
}

}  // namespace brennick_bench
