#include "bench/Harness.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace brennick_bench {

std::int64_t Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

double NanosecondsPerTick() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e9 / static_cast<double>(frequency.QuadPart);
}

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) return values[middle];
    return (values[middle - 1] + values[middle]) / 2.0;
}

std::int32_t ScaledBatch(const Case& c, double scale) {
    const double scaled = std::round(static_cast<double>(c.batch) * scale);
    return scaled < 1.0 ? 1 : static_cast<std::int32_t>(scaled);
}

double Sample(const Case& c, std::int32_t batch, double nsPerTick) {
    if (c.reset) c.reset();
    const std::int64_t start = Now();
    c.run(batch);
    const std::int64_t stop = Now();
    return static_cast<double>(stop - start) * nsPerTick / static_cast<double>(batch);
}

}  // namespace

bool Selected(const Options& options, const std::string& group) { return group.rfind(options.only, 0) == 0; }

std::vector<Result> Suite::Run(const Options& options) const {
    const double nsPerTick = NanosecondsPerTick();
    std::vector<std::string> groups;
    for (const Case& c : cases_) {
        if (!Selected(options, c.group)) continue;
        if (std::find(groups.begin(), groups.end(), c.group) == groups.end()) groups.push_back(c.group);
    }
    std::map<const Case*, std::vector<double>> samples;
    for (const std::string& group : groups) {
        std::vector<const Case*> members;
        for (const Case& c : cases_) {
            if (c.group == group && c.skipped.empty()) members.push_back(&c);
        }
        const bool startup = group == "start-up";
        const bool scale = group == "scale";
        const std::int32_t count = startup ? options.startupSamples : scale ? options.scaleSamples : options.samples;
        const std::int32_t warmup = startup || scale ? 1 : options.warmup;
        std::fprintf(stderr, "timing %s (%zu cases, %d samples each)\n", group.c_str(), members.size(), count);
        // In turns, so that slow drifts of the machine touch every case of the group alike.
        for (std::int32_t round = 0; round < warmup + count; ++round) {
            for (const Case* c : members) {
                // A start-up sample is one launch: the program it leaves running ends before the next.
                const std::int32_t batch = startup ? 1 : c->scaled ? ScaledBatch(*c, options.batchScale) : c->batch;
                const double ns = Sample(*c, batch, nsPerTick);
                if (round >= warmup) samples[c].push_back(ns);
            }
        }
    }
    std::vector<Result> results;
    for (const Case& c : cases_) {
        if (!Selected(options, c.group)) continue;
        Result result;
        result.source = &c;
        const auto found = samples.find(&c);
        if (found != samples.end() && !found->second.empty()) {
            result.minNs = *std::min_element(found->second.begin(), found->second.end());
            result.medianNs = Median(found->second);
            result.samples = found->second;
        }
        results.push_back(result);
    }
    return results;
}

namespace {

std::string Time(double ns) {
    char text[32];
    if (ns >= 1e6) {
        std::snprintf(text, sizeof text, "%.1f ms", ns / 1e6);
    } else if (ns >= 1e4) {
        std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.0f ns", ns);
    }
    return text;
}

double RoundRatio(const Result& r, const Result& peer, std::size_t round) {
    if (round >= r.samples.size() || round >= peer.samples.size() || peer.samples[round] <= 0.0) return 0.0;
    return r.samples[round] / peer.samples[round];
}

double MedianOfRoundRatios(const Result& r, const Result& peer) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < r.samples.size(); ++i) {
        if (const double ratio = RoundRatio(r, peer, i); ratio > 0.0) ratios.push_back(ratio);
    }
    return ratios.empty() ? 0.0 : Median(ratios);
}

// The median, over the rounds, of the case's ratio to its peer divided by the reference's ratio
// to its own peer in the same round.
double MedianOfRelativeRatios(const Result& r, const Result& peer, const Result& reference,
                              const Result& referencePeer) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < r.samples.size(); ++i) {
        const double own = RoundRatio(r, peer, i);
        const double base = RoundRatio(reference, referencePeer, i);
        if (own > 0.0 && base > 0.0) ratios.push_back(own / base);
    }
    return ratios.empty() ? 0.0 : Median(ratios);
}

std::string Ratio(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3fx", value);
    return text;
}

using ResultsByName = std::map<std::string, const Result*>;

const Result* Find(const ResultsByName& byName, const std::string& group, const std::string& name) {
    const auto found = byName.find(group + "/" + name);
    return name.empty() || found == byName.end() || found->second->medianNs <= 0.0 ? nullptr : found->second;
}

struct Judged {
    std::string target;
    std::string met;
};

// The ratio target: to the peer, or to the peer relative to the reference's own ratio.
Judged JudgeRatio(const ResultsByName& byName, const Result& r, const Result& peer, double median) {
    const Case& c = *r.source;
    if (c.target <= 0.0) return {};
    if (c.reference.empty()) return {"<= " + Ratio(c.target), median <= c.target ? "yes" : "NO"};
    const Result* reference = Find(byName, c.group, c.reference);
    const Result* referencePeer = reference == nullptr ? nullptr : Find(byName, c.group, reference->source->peer);
    const std::string target = "<= " + Ratio(c.target) + " the ratio of " + c.reference;
    if (referencePeer == nullptr) return {target, "no reference"};
    const double relative = MedianOfRelativeRatios(r, peer, *reference, *referencePeer);
    return {target, (relative <= c.target ? "yes: " : "NO: ") + Ratio(relative)};
}

// The time limit per operation, judged on the median.
Judged JudgeLimit(const Result& r) {
    const double limit = r.source->limitNs;
    if (limit <= 0.0) return {};
    return {"<= " + Time(limit), r.medianNs <= limit ? "yes" : "NO"};
}

std::string Joined(const std::string& first, const std::string& second) {
    return first.empty() || second.empty() ? first + second : first + "; " + second;
}

}  // namespace

void PrintTable(const std::vector<Result>& results) {
    ResultsByName byName;
    for (const Result& r : results) byName[r.source->group + "/" + r.source->name] = &r;

    std::printf("| Group | Case | Min | Median | Against | Ratio of mins | Median ratio per round | Target | Met |\n");
    std::printf("|---|---|---:|---:|---|---:|---:|---:|---|\n");
    for (const Result& r : results) {
        const Case& c = *r.source;
        if (!c.skipped.empty()) {
            std::printf("| %s | %s | skipped: %s | | | | | | |\n", c.group.c_str(), c.name.c_str(), c.skipped.c_str());
            continue;
        }
        std::string against, ratioMin, ratioMedian;
        Judged ratio;
        if (const Result* peer = Find(byName, c.group, c.peer)) {
            against = c.peer;
            ratioMin = Ratio(r.minNs / peer->minNs);
            const double median = MedianOfRoundRatios(r, *peer);
            ratioMedian = Ratio(median);
            ratio = JudgeRatio(byName, r, *peer, median);
        }
        const Judged limit = JudgeLimit(r);
        const std::string target = Joined(ratio.target, limit.target);
        const std::string met = Joined(ratio.met, limit.met);
        std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", c.group.c_str(), c.name.c_str(),
                    Time(r.minNs).c_str(), Time(r.medianNs).c_str(), against.c_str(), ratioMin.c_str(),
                    ratioMedian.c_str(), target.c_str(), met.c_str());
    }
}

}  // namespace brennick_bench
