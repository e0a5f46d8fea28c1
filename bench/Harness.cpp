#include "bench/Harness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/toolkit/Windows.h"

namespace brennick_bench {
namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double Min(const Case& c) { return *std::min_element(c.samples.begin(), c.samples.end()); }

// Cases of one group are timed in the same rounds: a's sample of round i over b's.
double RoundRatio(const Case& a, const Case& b, std::size_t i) { return a.samples[i] / b.samples[i]; }

// The median over the rounds of c's ratio to its peer; with a reference, of that ratio divided by
// the reference's ratio to its own peer in the same round.
double MedianPerRound(const Case& c, const Case& peer, const Case* reference = nullptr, const Case* itsPeer = nullptr) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < c.samples.size(); ++i) {
        ratios.push_back(RoundRatio(c, peer, i) / (reference != nullptr ? RoundRatio(*reference, *itsPeer, i) : 1.0));
    }
    return Median(ratios);
}

std::string Format(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Time(double ns) {
    return ns >= 1e6 ? Format("%.1f ms", ns / 1e6) : ns >= 1e4 ? Format("%.1f us", ns / 1e3) : Format("%.0f ns", ns);
}

std::string Ratio(double value) { return Format("%.3fx", value); }

}  // namespace

void Suite::Run(const Options& options) {
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    std::vector<Case*> selected;
    std::vector<std::string> groups;
    for (Case& c : cases) {
        if (!options.Selected(c.group)) continue;
        selected.push_back(&c);
        if (std::find(groups.begin(), groups.end(), c.group) == groups.end()) groups.push_back(c.group);
    }
    for (const std::string& group : groups) {
        const auto timed = [&group](const Case* c) { return c->group == group && c->skipped.empty(); };
        const auto members = std::count_if(selected.begin(), selected.end(), timed);
        const bool heavy = group == "start-up" || group == "scale";
        const std::int32_t count = heavy ? options.heavySamples : options.samples, warmup = heavy ? 1 : options.warmup;
        std::fprintf(stderr, "timing %s (%td cases, %d samples each)\n", group.c_str(), members, count);
        // In turns, so that slow drifts of the machine touch every case of the group alike.
        for (std::int32_t round = 0; round < warmup + count; ++round) {
            for (Case* c : selected) {
                if (!timed(c)) continue;
                const double scaled = std::max(1.0, std::round(static_cast<double>(c->batch) * options.batchScale));
                const std::int32_t batch = c->scaled ? static_cast<std::int32_t>(scaled) : c->batch;
                if (c->reset) c->reset();
                QueryPerformanceCounter(&start);
                c->run(batch);
                QueryPerformanceCounter(&stop);
                const double ticks = static_cast<double>(stop.QuadPart - start.QuadPart) / static_cast<double>(batch);
                if (round >= warmup) c->samples.push_back(ticks * 1e9 / static_cast<double>(frequency.QuadPart));
            }
        }
    }

    // A case of the group that was timed; null for none.
    const auto find = [&selected](const std::string& group, const std::string& name) -> const Case* {
        for (const Case* c : selected) {
            if (!name.empty() && c->group == group && c->name == name && !c->samples.empty()) return c;
        }
        return nullptr;
    };
    std::printf("| Group | Case | Min | Median | Against | Ratio of mins | Median ratio per round | Target | Met |\n");
    std::printf("|---|---|---:|---:|---|---:|---:|---:|---|\n");
    for (const Case* c : selected) {
        const char *group = c->group.c_str(), *name = c->name.c_str();
        if (c->samples.empty()) {
            std::printf("| %s | %s | skipped: %s | | | | | | |\n", group, name, c->skipped.c_str());
            continue;
        }
        const double median = Median(c->samples);
        const Case* peer = find(c->group, c->peer);
        const Case* reference = peer == nullptr ? nullptr : find(c->group, c->reference);
        const Case* itsPeer = reference == nullptr ? nullptr : find(c->group, reference->peer);
        const double perRound = peer == nullptr ? 0.0 : MedianPerRound(*c, *peer);
        std::string target, met;
        if (peer != nullptr && c->target > 0.0 && c->reference.empty()) {
            target = "<= " + Ratio(c->target), met = perRound <= c->target ? "yes" : "NO";
        } else if (peer != nullptr && c->target > 0.0) {
            const double relative = itsPeer == nullptr ? 0.0 : MedianPerRound(*c, *peer, reference, itsPeer);
            target = "<= " + Ratio(c->target) + " the ratio of " + c->reference;
            met = itsPeer == nullptr ? "no reference" : (relative <= c->target ? "yes: " : "NO: ") + Ratio(relative);
        }
        if (c->limitNs > 0.0) {  // a second target in the same cells
            target += (target.empty() ? "<= " : "; <= ") + Time(c->limitNs);
            met += std::string(met.empty() ? "" : "; ") + (median <= c->limitNs ? "yes" : "NO");
        }
        std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", group, name, Time(Min(*c)).c_str(),
                    Time(median).c_str(), peer ? c->peer.c_str() : "", peer ? Ratio(Min(*c) / Min(*peer)).c_str() : "",
                    peer ? Ratio(perRound).c_str() : "", target.c_str(), met.c_str());
    }
}

}  // namespace brennick_bench
