#include "ParallelFor.h"

#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace drawmentor {

void ParallelFor(int threads, const std::function<void(int worker)>& work,
                 std::atomic<bool>* failed) {
    std::mutex lock;
    std::exception_ptr failure;
    const auto fail = [&] {
        {
            const std::lock_guard<std::mutex> guard(lock);
            if (!failure) failure = std::current_exception();
        }
        if (failed) failed->store(true);
    };
    const auto run = [&](int worker) {
        try {
            work(worker);
        } catch (...) {
            fail();
        }
    };
    std::vector<std::thread> pool;
    bool started = true;
    try {
        pool.reserve(threads > 1 ? static_cast<size_t>(threads - 1) : 0);
        for (int worker = 1; worker < threads; ++worker) pool.emplace_back(run, worker);
    } catch (...) {
        // No more threads: those already started finish their share, and
        // the caller learns why the rest never ran.
        started = false;
        fail();
    }
    if (started) run(0);
    for (auto& thread : pool) thread.join();
    if (failure) std::rethrow_exception(failure);
}

} // namespace drawmentor
