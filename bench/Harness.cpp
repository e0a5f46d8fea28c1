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

std::vector<Result> Suite::Run(const Options& options) const {
    const double nsPerTick = NanosecondsPerTick();
    std::vector<std::string> groups;
    for (const Case& c : cases_) {
        if (c.group.rfind(options.only, 0) != 0) continue;
        if (std::find(groups.begin(), groups.end(), c.group) == groups.end()) groups.push_back(c.group);
    }
    std::map<const Case*, std::vector<double>> samples;
    for (const std::string& group : groups) {
        std::vector<const Case*> members;
        for (const Case& c : cases_) {
            if (c.group == group && c.skipped.empty()) members.push_back(&c);
        }
        const bool startup = group == "start-up";
        const std::int32_t count = startup ? options.startupSamples : options.samples;
        const std::int32_t warmup = startup ? 1 : options.warmup;
        std::fprintf(stderr, "timing %s (%zu cases, %d samples each)\n", group.c_str(), members.size(), count);
        // In turns, so that slow drifts of the machine touch every case of the group alike.
        for (std::int32_t round = 0; round < warmup + count; ++round) {
            for (const Case* c : members) {
                // A start-up sample is one launch: the program it leaves running ends before the next.
                const std::int32_t batch = startup ? 1 : ScaledBatch(*c, options.batchScale);
                const double ns = Sample(*c, batch, nsPerTick);
                if (round >= warmup) samples[c].push_back(ns);
            }
        }
    }
    std::vector<Result> results;
    for (const Case& c : cases_) {
        if (c.group.rfind(options.only, 0) != 0) continue;
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

double MedianOfRoundRatios(const Result& r, const Result& peer) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < r.samples.size() && i < peer.samples.size(); ++i) {
        if (peer.samples[i] > 0.0) ratios.push_back(r.samples[i] / peer.samples[i]);
    }
    return ratios.empty() ? 0.0 : Median(ratios);
}

std::string Ratio(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3fx", value);
    return text;
}

}  // namespace

void PrintTable(const std::vector<Result>& results) {
    std::map<std::string, const Result*> byName;
    for (const Result& r : results) byName[r.source->group + "/" + r.source->name] = &r;

    std::printf("| Group | Case | Min | Median | Against | Ratio of mins | Median ratio per round | Target | Met |\n");
    std::printf("|---|---|---:|---:|---|---:|---:|---:|---|\n");
    for (const Result& r : results) {
        const Case& c = *r.source;
        if (!c.skipped.empty()) {
            std::printf("| %s | %s | skipped: %s | | | | | | |\n", c.group.c_str(), c.name.c_str(), c.skipped.c_str());
            continue;
        }
        std::string against, ratioMin, ratioMedian, target, met;
        const auto peer = byName.find(c.group + "/" + c.peer);
        if (!c.peer.empty() && peer != byName.end() && peer->second->medianNs > 0.0) {
            const Result& p = *peer->second;
            against = c.peer;
            ratioMin = Ratio(r.minNs / p.minNs);
            const double median = MedianOfRoundRatios(r, p);
            ratioMedian = Ratio(median);
            if (c.target > 0.0) {
                target = "<= " + Ratio(c.target);
                met = median <= c.target ? "yes" : "NO";
            }
        }
        std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", c.group.c_str(), c.name.c_str(),
                    Time(r.minNs).c_str(), Time(r.medianNs).c_str(), against.c_str(), ratioMin.c_str(),
                    ratioMedian.c_str(), target.c_str(), met.c_str());
    }
}

}  // namespace brennick_bench
