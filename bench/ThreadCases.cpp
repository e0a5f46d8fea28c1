// Hooked windows on several threads at once: T = 1 to 4 threads, each sending WM_USER to a window
// of its own (hidden, of the bench class), hooked by a cSubClassWheel or unhooked. A sample is the
// time until every thread sent its batch, per message of one thread.
#include <thread>
#include <vector>

#include "bench/Cases.h"
#include <brennick/cSubClassWheel.h>

namespace brennick_bench {
namespace {

using brennick::cSubClassWheel;
using brennick::MakeRef;
using brennick::Ref;
using OwnedHandle = brennick::ui::UniqueKernelHandle;

constexpr const char* kGroup = "threads";
constexpr std::int32_t kMostThreads = 4;
constexpr std::int32_t kBatch = 20000;     // long enough that waking the threads is a small share
constexpr double kThreadGrowth = 1.25;     // the hooked/unhooked ratio at the most threads, to its value on one

// One thread with two windows of its own, one hooked; it sends a batch to one of them when told.
class Worker {
public:
    explicit Worker(const BenchClass& benchClass)
        : start_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          done_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          thread_([this, &benchClass] { Main(benchClass); }) {
        WaitForSingleObject(done_.Get(), INFINITE);  // the windows are ready, or could not be
    }
    ~Worker() {
        quit_ = true;
        SetEvent(start_.Get());
        thread_.join();
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    const std::string& Problem() const { return problem_; }
    HANDLE Done() const { return done_.Get(); }

    // Starts sending count messages; Done() is signalled when they are sent.
    void Start(bool hooked, std::int32_t count) {
        hooked_ = hooked;
        count_ = count;
        SetEvent(start_.Get());
    }

private:
    void Main(const BenchClass& benchClass) {
        const OwnedWindow hookedWindow = benchClass.CreateTopLevel(false);
        const OwnedWindow unhookedWindow = benchClass.CreateTopLevel(false);
        const Ref<cSubClassWheel> wheel = MakeRef<cSubClassWheel>();  // lets go here, before the windows go
        wheel->SubClass(hookedWindow.Get());
        problem_ = Check(hookedWindow.Get(), unhookedWindow.Get(), wheel->TargetWnd() == hookedWindow.Get());
        SetEvent(done_.Get());
        while (WaitForStart()) {
            SendForwarded(hooked_ ? hookedWindow.Get() : unhookedWindow.Get(), count_);
            SetEvent(done_.Get());
        }
    }

    // Handles the thread's own messages while it waits; false once told to end.
    bool WaitForStart() {
        HANDLE start = start_.Get();
        while (MsgWaitForMultipleObjects(1, &start, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) PumpMessages();
        return !quit_;
    }

    static std::string Check(HWND hookedWindow, HWND unhookedWindow, bool hooked) {
        if (hookedWindow == nullptr || unhookedWindow == nullptr || !hooked) {
            return "a thread's windows could not be created or hooked";
        }
        if (!Forwards(hookedWindow) || !Forwards(unhookedWindow)) return "the message was not forwarded";
        return {};
    }

    OwnedHandle start_, done_;
    // Written before start_ is set and read after it is seen, so the event orders them.
    bool hooked_ = false;
    std::int32_t count_ = 0;
    bool quit_ = false;
    std::string problem_;
    std::thread thread_;  // last: it starts once everything it uses is there
};

struct Fixture {
    explicit Fixture(const BenchClass& benchClass) {
        for (std::int32_t i = 0; i < kMostThreads; ++i) workers.push_back(std::make_unique<Worker>(benchClass));
    }

    // Every one of the first threads sends count messages; returns when all have.
    void Run(std::int32_t threads, bool hooked, std::int32_t count) {
        std::vector<HANDLE> done;
        for (std::int32_t i = 0; i < threads; ++i) {
            workers[static_cast<std::size_t>(i)]->Start(hooked, count);
            done.push_back(workers[static_cast<std::size_t>(i)]->Done());
        }
        WaitForMultipleObjects(static_cast<DWORD>(done.size()), done.data(), TRUE, INFINITE);
    }

    std::string Problem() const {
        for (const auto& worker : workers) {
            if (!worker->Problem().empty()) return worker->Problem();
        }
        return {};
    }

    std::vector<std::unique_ptr<Worker>> workers;
};

std::string Threads(std::int32_t count) { return count == 1 ? "1 thread" : std::to_string(count) + " threads"; }

}  // namespace

void AddThreadCases(Suite& suite, const BenchClass& benchClass) {
    const auto fixture = std::make_shared<Fixture>(benchClass);
    suite.Keep(fixture);
    Fixture* f = fixture.get();
    const std::string skipped = f->Problem();
    for (std::int32_t threads = 1; threads <= kMostThreads; ++threads) {
        const std::string unhooked = Threads(threads) + ", unhooked";
        const bool most = threads == kMostThreads;
        suite.Add({.group = kGroup, .name = unhooked, .peer = "", .batch = kBatch,
                   .run = [f, threads](std::int32_t n) { f->Run(threads, false, n); }, .skipped = skipped});
        suite.Add({.group = kGroup, .name = Threads(threads) + ", hooked", .peer = unhooked,
                   .target = most ? kThreadGrowth : 0.0, .reference = most ? Threads(1) + ", hooked" : "",
                   .batch = kBatch, .run = [f, threads](std::int32_t n) { f->Run(threads, true, n); },
                   .skipped = skipped});
    }
}

}  // namespace brennick_bench
