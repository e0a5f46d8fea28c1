// A small timing harness: cases of one group are timed in turns within one run, so every ratio
// compares samples taken side by side on the same machine under the same load.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace brennick_bench {

// A row of the table. Cases are compared only within their group, each with its peer (the case of
// the same group it is measured against; empty for none). skipped: why the case cannot run here
// (empty when it runs). target: the largest acceptable median ratio to the peer (0: none); with a
// reference, it bounds this case's ratio to its peer divided by the reference's ratio to its own
// peer, round by round (how a ratio holds up as something else grows). limitNs: the largest
// acceptable median time per operation (0: none). batch: the operations of one sample; scaled:
// whether a run may shrink it (false when its size is part of what is measured).
struct Case {
    std::string group{}, name{}, peer{}, skipped{};
    double target = 0.0, limitNs = 0.0;
    std::string reference{};
    std::int32_t batch = 1;
    bool scaled = true;
    std::function<void(std::int32_t)> run{};
    std::function<void()> reset{};
    std::vector<double> samples{};  // nanoseconds per operation, in the order of the rounds
};

// Per case: warmup samples thrown away, then samples timed; the start-up group (a launch a sample)
// and scale (11,101 windows a round) take one warm-up and heavySamples. batchScale shrinks or
// grows every batch; when only is set, only the groups whose names start with it run.
struct Options {
    std::int32_t warmup = 5, samples = 31, heavySamples = 9;
    double batchScale = 1.0;
    std::string only;
    bool Selected(const std::string& group) const { return group.rfind(only, 0) == 0; }
};

// The cases, added by the groups, and their timing.
struct Suite {
    // Adds c, whose samples each run reset (untimed; may be empty) and then time run(batch). The two
    // hold what they need (windows, components), which goes with the suite.
    void Add(Case c, std::function<void()> reset, std::function<void(std::int32_t)> run) {
        c.run = std::move(run), c.reset = std::move(reset);
        cases.push_back(std::move(c));
    }

    // Times the selected groups' cases, each sample a batch timed with QueryPerformanceCounter, and
    // prints the table: per case min and median, and the ratios to its peer from the same run: the
    // ratio of the minimums, and the median of the ratios of the samples taken in the same round (a
    // load burst from elsewhere on the machine then touches both sides of each ratio alike). A
    // target relative to a reference is judged on the median of the per-round quotients of the two
    // ratios, and shown with that quotient in the Met column.
    void Run(const Options& options);

    std::vector<Case> cases;
};

}  // namespace brennick_bench
