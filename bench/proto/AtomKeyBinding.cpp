// The shipped user32 binding, built unchanged but for one thing: its three property calls pass
// the name through PropertyKey. Compiled under a namespace of its own (see bench/CMakeLists.txt),
// next to a second build of the components, so the benchmark can time both in one process.
#include "bench/proto/PropertyKey.h"

namespace {

HANDLE KeyedGetPropA(HWND window, LPCSTR name) { return GetPropA(window, brennick_bench::PropertyKey(name)); }
BOOL KeyedSetPropA(HWND window, LPCSTR name, HANDLE value) {
    return SetPropA(window, brennick_bench::PropertyKey(name), value);
}
HANDLE KeyedRemovePropA(HWND window, LPCSTR name) {
    return RemovePropA(window, brennick_bench::PropertyKey(name));
}

}  // namespace

#define GetPropA KeyedGetPropA
#define SetPropA KeyedSetPropA
#define RemovePropA KeyedRemovePropA
#include "platform/user32/WindowSystemUser32.cpp"
