#pragma once

#include <atomic>
#include <functional>

namespace drawmentor {

// Runs work(worker) for worker 0..threads-1, worker 0 on the calling thread
// and each other one on a thread of its own, and returns once every one has
// ended. Every thread is joined whatever happens, so an error on one of them
// can never outlive the call or end the process; the first error raised
// (also the failure to start a thread) is rethrown after all have joined.
// When `failed` is given it is set at the first error, so that the other
// workers may stop early.
void ParallelFor(int threads, const std::function<void(int worker)>& work,
                 std::atomic<bool>* failed = nullptr);

} // namespace drawmentor
