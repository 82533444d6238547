#pragma once

#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

namespace drawmentor {

// Cards turned one by one with a pause between them, driven by a timer so that
// the event loop is never entered from inside a command. While a sequence
// runs the window takes no command of play; with no pause every step runs at
// once, as if there were no sequence.
class TRevealSequence : public QObject {
    Q_OBJECT

  public:
    struct TStep {
        std::function<void()> Action;
        bool PauseAfter = false;
    };

    explicit TRevealSequence(QObject* parent = nullptr);

    // Runs the steps in order, `pauseMs` apart where a step asks for a pause.
    // A step that throws ends the sequence; `finally` runs in every case.
    void Run(std::vector<TStep> steps, int pauseMs, std::function<void()> finally = {});
    // More steps at the end, from a step that learns what comes next.
    void Append(std::vector<TStep> steps) {
        FSteps.insert(FSteps.end(), steps.begin(), steps.end());
    }
    bool IsRunning() const { return FRunning; }

  private:
    void RunSteps();
    void Finish();

    QTimer FTimer;
    std::deque<TStep> FSteps;
    std::function<void()> FFinally;
    int FPause = 0;
    bool FRunning = false;
};

} // namespace drawmentor
