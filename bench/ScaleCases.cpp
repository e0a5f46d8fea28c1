// The cost of hooking as the number of hooked windows grows: at N = 1, 100, 1,000 and 10,000
// hooked windows of the bench class (hidden, top-level, one pixel), a message to the window hooked
// last against an unhooked window of the same class, and attaching then releasing the N windows,
// per window. Each window is hooked by a cSubClassWheel: attaching one does the hook's work and
// nothing else (a CScrollBars would also read its window's bars), so the figures are the hook's.
#include <array>
#include <vector>

#include "bench/Cases.h"
#include <brennick/cSubClassWheel.h>

namespace brennick_bench {
namespace {

using brennick::cSubClassWheel;
using brennick::MakeRef;
using brennick::Ref;

constexpr const char* kGroup = "scale";
constexpr std::array<std::int32_t, 4> kCounts{1, 100, 1000, 10000};
constexpr std::int32_t kMostWindows = kCounts.back();  // the default quota of windows per process
constexpr std::int32_t kMessageBatch = 2000;
constexpr std::int32_t kBaseCount = 100;  // the count the largest one is judged against
constexpr double kMessageGrowth = 1.2;    // the message ratio at the most windows, to its value at the base
constexpr double kAttachGrowth = 2.0;     // attach and release per window, likewise
constexpr double kAttachLimitNs = 1e9 / kMostWindows;  // all the most windows attached within 1 s

// The windows and their components. Windows 0 to hooked - 1 are hooked, in that order.
class Fixture {
public:
    explicit Fixture(const BenchClass& benchClass) : unhooked_(benchClass.CreateHiddenSmall()) {
        if (unhooked_.Get() == nullptr) {
            createError_ = GetLastError();
            return;
        }
        windows_.reserve(kMostWindows);
        components_.reserve(kMostWindows);
        for (std::int32_t i = 0; i < kMostWindows; ++i) {
            OwnedWindow window = benchClass.CreateHiddenSmall();
            if (window.Get() == nullptr) {
                createError_ = GetLastError();
                break;
            }
            windows_.push_back(std::move(window));
            components_.push_back(MakeRef<cSubClassWheel>());
        }
    }
    ~Fixture() { ReleaseAll(); }  // components let go before their windows go
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    std::int32_t Created() const { return static_cast<std::int32_t>(windows_.size()); }  // to hook
    DWORD CreateError() const { return createError_; }  // why the next window could not be created
    HWND Unhooked() const { return unhooked_.Get(); }
    HWND Window(std::int32_t index) const { return windows_[static_cast<std::size_t>(index)].Get(); }
    bool Hooked(std::int32_t index) const {
        return components_[static_cast<std::size_t>(index)]->TargetWnd() == Window(index);
    }

    // Hooks windows from the first one not hooked up to count - 1.
    void AttachUpTo(std::int32_t count) {
        for (; hooked_ < count; ++hooked_) components_[static_cast<std::size_t>(hooked_)]->SubClass(Window(hooked_));
    }
    // What an attach cannot do without: reads and sets a property of its own on each of the first
    // count windows, and takes it away again, untimed.
    void MarkUpTo(std::int32_t count) {
        for (std::int32_t i = 0; i < count; ++i) {
            if (GetPropA(Window(i), kMark) == nullptr) SetPropA(Window(i), kMark, Window(i));
        }
    }
    void Unmark() {
        for (const OwnedWindow& window : windows_) RemovePropA(window.Get(), kMark);
    }
    // Releases every hooked window, in the order they were hooked.
    void ReleaseAll() {
        for (std::int32_t i = 0; i < hooked_; ++i) components_[static_cast<std::size_t>(i)]->UnSubClass();
        hooked_ = 0;
    }
    // Exactly the first count windows hooked.
    void HookFirst(std::int32_t count) {
        if (hooked_ > count) ReleaseAll();
        AttachUpTo(count);
    }

private:
    static constexpr const char* kMark = "BrennickBenchMark";
    OwnedWindow unhooked_;
    std::vector<OwnedWindow> windows_;
    std::vector<Ref<cSubClassWheel>> components_;  // declared after the windows: they end first
    std::int32_t hooked_ = 0;
    DWORD createError_ = ERROR_SUCCESS;
};

// "1 window", "10,000 windows".
std::string Windows(std::int32_t count) {
    const std::string digits = std::to_string(count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text + (count == 1 ? " window" : " windows");
}

// A count only runs when its windows exist, hook, and forward the message to the class.
std::string Check(Fixture& f, std::int32_t count) {
    if (f.Created() < count) {
        return "only " + Windows(f.Created()) + " could be created (error " + std::to_string(f.CreateError()) + ")";
    }
    f.HookFirst(count);
    const HWND last = f.Window(count - 1);
    std::string why;
    if (!f.Hooked(count - 1)) {
        why = "the window could not be hooked";
    } else if (!Forwards(last)) {
        why = "the message was not forwarded";
    }
    f.ReleaseAll();
    return why;
}

struct Names {
    std::string unhooked, message, attach, release, mark;
};

Names NamesAt(std::int32_t count) {
    return {"unhooked, " + Windows(count) + " hooked", "last hooked of " + Windows(count),
            "attach, " + Windows(count), "release, " + Windows(count),
            "GetPropA + SetPropA alone, " + Windows(count)};
}

void AddCount(Suite& suite, const std::shared_ptr<Fixture>& fixture, std::int32_t count) {
    Fixture* f = fixture.get();
    const Names names = NamesAt(count);
    const Names base = NamesAt(kBaseCount);
    const bool most = count == kMostWindows;
    const std::string skipped = Check(*f, count);
    const HWND unhooked = f->Unhooked();
    const HWND last = skipped.empty() ? f->Window(count - 1) : nullptr;
    const auto hookAll = [f, count] { f->HookFirst(count); };
    // Attach from none hooked; release all, which leaves none hooked.
    suite.Add({.group = kGroup, .name = names.attach, .peer = most ? base.attach : "",
               .target = most ? kAttachGrowth : 0.0, .limitNs = most ? kAttachLimitNs : 0.0, .batch = count,
               .scaled = false, .run = [f](std::int32_t n) { f->AttachUpTo(n); }, .reset = [f] { f->HookFirst(0); },
               .skipped = skipped});
    // The attach's floor: the two property calls it makes, which Wine serves by a round trip to
    // its server each; shown against the attach.
    if (most) {
        suite.Add({.group = kGroup, .name = names.mark, .peer = names.attach, .batch = count, .scaled = false,
                   .run = [f](std::int32_t n) { f->MarkUpTo(n); }, .reset = [f] { f->Unmark(); }, .skipped = skipped});
    }
    suite.Add({.group = kGroup, .name = names.unhooked, .peer = "", .batch = kMessageBatch,
               .run = [unhooked](std::int32_t n) { SendForwarded(unhooked, n); }, .reset = hookAll,
               .skipped = skipped});
    suite.Add({.group = kGroup, .name = names.message, .peer = names.unhooked, .target = most ? kMessageGrowth : 0.0,
               .reference = most ? base.message : "", .batch = kMessageBatch,
               .run = [last](std::int32_t n) { SendForwarded(last, n); }, .reset = hookAll, .skipped = skipped});
    suite.Add({.group = kGroup, .name = names.release, .peer = most ? base.release : "",
               .target = most ? kAttachGrowth : 0.0, .batch = count, .scaled = false,
               .run = [f](std::int32_t) { f->ReleaseAll(); }, .reset = hookAll, .skipped = skipped});
}

}  // namespace

void AddScaleCases(Suite& suite, const BenchClass& benchClass) {
    const auto fixture = std::make_shared<Fixture>(benchClass);
    suite.Keep(fixture);
    for (const std::int32_t count : kCounts) AddCount(suite, fixture, count);
}

}  // namespace brennick_bench
