// A small timing harness: cases of one group are timed in turns within one run, so every ratio
// compares samples taken side by side on the same machine under the same load.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace brennick_bench {

struct Case {
    std::string group;     // cases are compared only within their group
    std::string name;
    std::string peer;      // the case of the same group this one is measured against; empty for none
    double target = 0.0;   // largest acceptable median ratio to the peer; 0 when none is set
    // When set, the target bounds this case's ratio to its peer divided by the named case's ratio
    // to its own peer, round by round (how a ratio holds up as something else grows).
    std::string reference{};
    double limitNs = 0.0;  // largest acceptable median time per operation; 0 when none is set
    std::int32_t batch = 1;                       // operations in one timed sample
    bool scaled = true;    // false when the batch's size is part of what is measured (no run shrinks it)
    std::function<void(std::int32_t)> run;        // performs that many operations
    std::function<void()> reset{};                // untimed, before each sample; may be empty
    std::string skipped;   // why the case cannot run here; empty when it runs
};

struct Options {
    std::int32_t warmup = 5;    // samples per case thrown away before timing
    std::int32_t samples = 31;  // timed samples per case
    std::int32_t startupSamples = 9;  // the start-up group's cases take a process launch per sample
    std::int32_t scaleSamples = 9;    // the scale group's rounds attach and release 11,101 windows
    double batchScale = 1.0;    // shrinks or grows every batch (a quick run uses less)
    std::string only;           // when set, only the groups whose names start with it run
};

struct Result {
    const Case* source = nullptr;
    double minNs = 0.0;     // per operation
    double medianNs = 0.0;  // per operation
    std::vector<double> samples;  // per operation, in the order of the rounds
};

// Whether a group runs: its name starts with the options' only.
bool Selected(const Options& options, const std::string& group);

class Suite {
public:
    void Add(Case c) { cases_.push_back(std::move(c)); }
    // Keeps fixtures (windows, components) alive until the suite ends.
    void Keep(std::shared_ptr<void> fixture) { fixtures_.push_back(std::move(fixture)); }

    std::vector<Result> Run(const Options& options) const;

private:
    std::vector<Case> cases_;
    std::vector<std::shared_ptr<void>> fixtures_;
};

// The table: per case min and median, and the ratios to its peer from the same run: the ratio of
// the minimums, and the median of the ratios of the samples taken in the same round (a load burst
// from elsewhere on the machine then touches both sides of each ratio alike). A target relative to
// a reference is judged on the median of the per-round quotients of the two ratios, and shown with
// that quotient in the Met column.
void PrintTable(const std::vector<Result>& results);

// Ticks of QueryPerformanceCounter, and their length in nanoseconds.
std::int64_t Now();
double NanosecondsPerTick();

}  // namespace brennick_bench
