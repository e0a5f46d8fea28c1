// libFuzzer entry: each input is one program over both hooking components (see HookProgram.h).
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/HookProgram.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    brennick::fuzz::HookProgram program(data, size);
    program.Run();
    return 0;
}
