// Real threads against the hooks, under ThreadSanitizer: each thread hooks windows of its own with
// both components, sends them messages, looks up the other threads' windows, calls into their
// components and drops the last references of components that other threads made, over the
// recording double in its threaded mode (a message sent to another thread's window is swallowed,
// as someone else's procedure may do; a posted one waits until its thread pumps).
#include <atomic>
#include <barrier>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/modSubclassScrollBars.h>
#include <brennick/modSubclassWheel.h>

#include "tests/double/FakeWindowSystem.h"

using namespace brennick;
constexpr std::size_t kThreads = 4, kWindows = 16, kRounds = 200;
constexpr unsigned int kUser = 0x0400;  // WM_USER

int main() {
    test::FakeWindowSystem fake(true);
    std::vector<std::atomic<win::Hwnd>> published(kThreads * kWindows);
    std::mutex handLock;
    std::vector<std::pair<Ref<CScrollBars>, Ref<cSubClassWheel>>> handed;  // dropped by whichever thread takes them
    const auto token = std::make_shared<int>();  // held by every component's handlers: a leak keeps it
    std::barrier rounds(kThreads, [&handed]() noexcept { handed.clear(); });  // the last one in drops what is left
    std::atomic<long> sent{0}, seen{0}, failed{0};
    std::vector<std::thread> workers;
    for (std::size_t t = 0; t < kThreads; ++t) {
        workers.emplace_back([&, t] {
            std::vector<win::Hwnd> own;
            for (std::size_t i = 0; i < kWindows; ++i) own.push_back(published[t * kWindows + i] = fake.CreateWindow());
            for (std::size_t round = 0; round < kRounds; ++round) {
                for (const win::Hwnd window : own) {
                    // Perhaps while another thread lets go of this thread's components.
                    for (const win::Hwnd each : own) fake.Send(each, kUser), ++sent;
                    fake.DeliverPosted();  // the releases other threads handed to this one end here
                    auto bars = MakeRef<CScrollBars>();
                    auto wheel = MakeRef<cSubClassWheel>();
                    bars->SubClass(window), wheel->SubClass(window);
                    bars->VChange.Connect([token](auto) {}), wheel->WheelRotate.Connect([token](auto&&...) {});
                    bars->VMax(static_cast<std::int32_t>(round)), fake.Send(window, kUser), ++sent;
                    for (std::size_t other = 0; other < 8; ++other) {
                        const win::Hwnd theirs = published[((t + 1) * kWindows + round + other) % published.size()];
                        if (const auto found = modSubclassScrollBars::ScrollBarsFromWindow(theirs)) (void)found->VMax();
                        if (const auto found = modSubclassWheel::WheelFromWindow(theirs)) (void)found->WheelCarry();
                    }
                    const std::lock_guard guard(handLock);
                    if (round % 2 == 0) handed.emplace_back(std::move(bars), std::move(wheel));
                    // The last references go here.
                    if (handed.size() > 8) handed.erase(handed.begin(), handed.begin() + 4);
                }
            }
            rounds.arrive_and_wait();
            fake.DeliverPosted();
            const auto guard = fake.Guard();
            for (const win::Hwnd window : own) {
                const test::FakeWindow& w = fake.Window(window);
                for (const test::Visit& visit : w.visits) seen += visit.message == kUser;
                failed += w.procedure != &test::FakeWindowSystem::OwnProcedure || !w.properties.empty();
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    const bool passed = failed == 0 && seen == sent && token.use_count() == 1;
    std::printf("thread stress: %zu threads, %ld messages, %ld seen, %ld failed checks, %ld components left: %s\n",
                kThreads, sent.load(), seen.load(), failed.load(), token.use_count() - 1, passed ? "passed" : "FAILED");
    return passed ? 0 : 1;
}
