// Overflows its stack: the test run must report this program as failed, however Wine ends it.
#include <cstdio>

namespace {
int Deeper(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return Deeper(depth + 1) + frame[0];
}
}  // namespace

int main() {
    std::puts("overflowing the stack");
    return Deeper(0);
}
