// The benchmark's cases. The component cases are compiled twice: against the shipped window
// layer (namespace shipped) and against the prototype that hands property names to the system as
// atoms (namespace atomkeys), so both run side by side in one process.
#pragma once

#include <string>

#include "bench/BenchWindow.h"
#include "bench/Harness.h"

namespace brennick_bench {

// How one build of the component cases names its cases and whether it adds the references
// (floors and peers), which only one build needs to add.
struct Flavour {
    const char* suffix;
    bool withReferences;
};

namespace shipped {
void AddForwardCases(Suite& suite, const BenchClass& benchClass, Flavour flavour);
void AddScrollCases(Suite& suite, const BenchClass& benchClass, Flavour flavour);
void AddWheelCases(Suite& suite, const BenchClass& benchClass, Flavour flavour);
}  // namespace shipped

namespace atomkeys {
void AddForwardCases(Suite& suite, const BenchClass& benchClass, Flavour flavour);
void AddScrollCases(Suite& suite, const BenchClass& benchClass, Flavour flavour);
void AddWheelCases(Suite& suite, const BenchClass& benchClass, Flavour flavour);
}  // namespace atomkeys

// The wheel cases in the test window itself (frmMain from app/), measured against the bench's own
// handlers of case 3; built only when app/ is part of the build.
void AddAppWheelCases(Suite& suite);

struct StartupPaths {
    std::string minimal;  // bench/minimal: one empty window
    std::string app;      // Brennick.exe
};

void AddStartupCases(Suite& suite, const StartupPaths& paths);

}  // namespace brennick_bench
