// The benchmark's cases.
#pragma once

#include <string>

#include "bench/BenchWindow.h"
#include "bench/Harness.h"

namespace brennick_bench {

void AddForwardCases(Suite& suite, const BenchClass& benchClass);
void AddScrollCases(Suite& suite, const BenchClass& benchClass);
void AddWheelCases(Suite& suite, const BenchClass& benchClass);
void AddScaleCases(Suite& suite, const BenchClass& benchClass);
void AddThreadCases(Suite& suite, const BenchClass& benchClass);

// The wheel cases in the test window itself (frmMain from app/), measured against the bench's own
// handlers of the wheel group.
void AddAppWheelCases(Suite& suite);

struct StartupPaths {
    std::string minimal;  // bench/minimal: one empty window
    std::string bare;     // bench/bare: the test window's windows without components
    std::string app;      // Brennick.exe
};

void AddStartupCases(Suite& suite, const StartupPaths& paths);

}  // namespace brennick_bench
