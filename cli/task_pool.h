#pragma once
// A fixed set of threads that run tasks in the order they are handed in. With one thread, or
// none, a task runs at once in the caller's thread, exactly as a plain call would.

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace strikon::cli {

class TaskPool {
  public:
    explicit TaskPool(int threads);
    // Runs what is still queued, then joins the threads.
    ~TaskPool();
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    int threads() const { return static_cast<int>(threads_.size()); }

    template <typename F>
    auto submit(F task) -> std::future<decltype(task())> {
        using Result = decltype(task());
        auto packaged = std::make_shared<std::packaged_task<Result()>>(std::move(task));
        std::future<Result> future = packaged->get_future();
        if (threads_.empty()) {
            (*packaged)();
        } else {
            push([packaged] { (*packaged)(); });
        }
        return future;
    }

  private:
    void push(std::function<void()> task);
    void work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

// The number of threads a batch uses when --jobs is not given: one per core.
int defaultJobs();

}  // namespace strikon::cli
