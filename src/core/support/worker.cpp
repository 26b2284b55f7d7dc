#include "support/worker.h"

#include "support/host.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// The worker's side: runs the job and turns anything it throws into a message.
std::optional<std::string> RunCatching(CLongJob& job) {
    try {
        job.Run();
        return std::nullopt;
    } catch (const std::exception& e) {
        return FormatJobFailure(e.what());
    } catch (...) {
        return FormatJobFailure("unknown error");
    }
}

} // namespace

std::optional<std::string> RunOnWorker(CLongJob& job, const std::function<bool()>& poll,
                                       std::chrono::milliseconds interval) {
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
    std::optional<std::string> failure;
    std::jthread worker([&] {
        std::optional<std::string> result = RunCatching(job);
        const std::lock_guard lock(mutex);
        failure = std::move(result);
        finished = true;
        ended.notify_all();
    });
    bool cancelled = false;
    std::unique_lock lock(mutex);
    while (!ended.wait_for(lock, interval, [&] { return finished; })) {
        lock.unlock();
        if (poll() && !cancelled) {
            cancelled = true;
            job.RequestCancel();
            poll(); // the display shows at once that the job is cancelling
        }
        lock.lock();
    }
    lock.unlock();
    worker.join();
    return failure;
}
