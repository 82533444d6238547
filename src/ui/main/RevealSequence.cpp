#include "RevealSequence.h"

#include "ui/app/Application.h"

#include <algorithm>
#include <utility>

namespace drawmentor {

TRevealSequence::TRevealSequence(QObject* parent) : QObject(parent) {
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, [this] { RunSteps(); });
}

void TRevealSequence::Run(std::vector<TStep> steps, int pauseMs, std::function<void()> finally) {
    FSteps.assign(steps.begin(), steps.end());
    FFinally = std::move(finally);
    FPause = std::max(pauseMs, 0);
    FRunning = true;
    RunSteps();
}

// Runs steps until one asks for a pause (and more follow), then waits on the timer.
void TRevealSequence::RunSteps() {
    bool failed = true;
    TApplication::Guarded([&] {
        while (!FSteps.empty()) {
            const TStep step = std::move(FSteps.front());
            FSteps.pop_front();
            if (step.Action) step.Action();
            if (step.PauseAfter && FPause > 0 && !FSteps.empty()) {
                FTimer.start(FPause);
                failed = false;
                return;
            }
        }
        failed = false;
    });
    if (failed) FSteps.clear();
    if (FSteps.empty()) Finish();
}

void TRevealSequence::Finish() {
    FRunning = false;
    if (auto finally = std::exchange(FFinally, {})) TApplication::Guarded(finally);
}

} // namespace drawmentor
