#include "tests/fuzz/ProcedureModel.h"

#include <algorithm>

#include "controls/scrollbars/CScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"

namespace brennick::fuzz {

using test::Api;
using test::FakeWindowSystem;

void ProcedureModel::Created(win::Hwnd window) {
    chains_[window] = Chain{{&FakeWindowSystem::OriginalProc}, true, false, ++incarnations_};
}

void ProcedureModel::Robbed(win::Hwnd window) {
    const auto found = chains_.find(window);
    if (found == chains_.end()) return;
    found->second.predictable = false;
    found->second.robbed = true;
}

const Chain* ProcedureModel::Find(win::Hwnd window) const {
    const auto found = chains_.find(window);
    return found == chains_.end() ? nullptr : &found->second;
}

void ProcedureModel::Observe(const test::Call& call, FakeWindowSystem& fake) {
    if (call.api == Api::GetWindowProcedure) detaching_ = call.window;
    if (call.api == Api::RemoveProp && detaching_ == call.window) Unlinked(call);
    if (call.api == Api::SetWindowProcedure) {
        detaching_ = nullptr;
        const bool hook = lastApi_ == Api::SetProp && lastWindow_ == call.window;
        const auto found = chains_.find(call.window);
        const test::FakeWindow* window = fake.Find(call.window);
        if (found != chains_.end() && found->second.predictable && window != nullptr) {
            // The double's rule for a procedure change, applied before it runs.
            const bool succeeds = !fake.failSetWindowProcedure && call.procedure != nullptr;
            std::vector<win::WndProc>& procedures = found->second.procedures;
            if (hook) {
                if (succeeds) procedures.push_back(call.procedure);
            } else if (succeeds && procedures.size() >= 2 && window->procedure == procedures.back() &&
                       call.procedure == procedures[procedures.size() - 2]) {
                procedures.pop_back();
            } else {
                found->second.predictable = false;
            }
        }
    }
    lastApi_ = call.api;
    lastWindow_ = call.window;
}

// A detach that changed no procedure took its hook out of the middle of the chain.
void ProcedureModel::Unlinked(const test::Call& call) {
    detaching_ = nullptr;
    const auto found = chains_.find(call.window);
    if (found == chains_.end() || !found->second.predictable) return;
    const win::WndProc procedure = call.text == CScrollBars::kPropertyName ? CScrollBars::kHookKind.procedure
                                                                           : cSubClassWheel::kHookKind.procedure;
    std::vector<win::WndProc>& procedures = found->second.procedures;
    const auto below = std::find(procedures.begin() + 1, procedures.end(), procedure);
    if (below == procedures.end() || below + 1 == procedures.end()) {
        found->second.predictable = false;
        return;
    }
    procedures.erase(below);
}

}  // namespace brennick::fuzz
