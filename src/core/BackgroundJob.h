#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <future>
#include <thread>
#include <utility>

namespace drawmentor {

// What the work of a background job is handed: the flag that asks it to stop
// (the computations take it as their cancel pointer) and the place it
// reports how far it has come.
class TJobControl {
  public:
    const std::atomic<bool>* CancelFlag() const { return &FCancel; }
    bool Cancelled() const { return FCancel.load(); }
    void Cancel() { FCancel = true; }
    void Report(int64_t done, int64_t total) {
        FTotal = std::max<int64_t>(total, 1);
        FDone = done;
    }
    // 0..1; the two counts are read one after the other, so it is clamped.
    double Progress() const {
        return std::clamp(static_cast<double>(FDone.load()) / static_cast<double>(FTotal.load()),
                          0.0, 1.0);
    }

  private:
    std::atomic<bool> FCancel{false};
    std::atomic<int64_t> FDone{0};
    std::atomic<int64_t> FTotal{1};
};

// One computation on a thread of its own, for windows that must stay
// responsive: poll Progress and Finished, then take the Result. Result waits
// for the end and rethrows what the work raised; it may be called from any
// thread, any number of times. Destroying a running job cancels it and waits
// for it, so the work may use whatever its owner outlives it by.
template <typename T> class TBackgroundJob {
  public:
    using TWork = std::function<T(TJobControl&)>;

    explicit TBackgroundJob(TWork work) : FResult(FPromise.get_future().share()) {
        FThread = std::thread([this, work = std::move(work)] {
            try {
                FPromise.set_value(work(FControl));
            } catch (...) {
                FPromise.set_exception(std::current_exception());
            }
        });
    }
    TBackgroundJob(const TBackgroundJob&) = delete;
    TBackgroundJob& operator=(const TBackgroundJob&) = delete;
    ~TBackgroundJob() {
        Cancel();
        if (FThread.joinable()) FThread.join();
    }

    void Cancel() { FControl.Cancel(); }
    bool Cancelled() const { return FControl.Cancelled(); }
    bool Finished() const {
        return FResult.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
    // 0..1 as the work reports it; 1 once finished.
    double Progress() const { return Finished() ? 1.0 : FControl.Progress(); }
    const T& Result() const { return FResult.get(); }

  private:
    TJobControl FControl;
    std::promise<T> FPromise;
    std::shared_future<T> FResult;
    std::thread FThread; // last: the work starts once everything else exists
};

} // namespace drawmentor
