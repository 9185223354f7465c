#pragma once
// A fixed set of threads that run tasks in the order they are handed in. With one thread, or
// none, a task runs at once in the caller's thread, exactly as a plain call would.

#include <QtGlobal>
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

// Bytes that tasks on several threads take from one budget while they hold a large picture: a
// task waits until its share fits, so the pictures in flight stay within the memory the process
// may use however many threads draw them. A share larger than the whole budget is had alone.
class MemoryBudget {
  public:
    explicit MemoryBudget(qint64 bytes) : budget_(bytes) {}
    void take(qint64 bytes);
    void give(qint64 bytes);
    qint64 budget() const { return budget_; }

    // Taken for as long as it lives.
    class Share {
      public:
        Share(MemoryBudget& budget, qint64 bytes) : budget_(budget), bytes_(bytes) {
            budget_.take(bytes_);
        }
        ~Share() { budget_.give(bytes_); }
        Share(const Share&) = delete;
        Share& operator=(const Share&) = delete;

      private:
        MemoryBudget& budget_;
        qint64 bytes_;
    };

  private:
    std::mutex mutex_;
    std::condition_variable freed_;
    const qint64 budget_;
    qint64 used_ = 0;
};

// The memory a batch's pictures may hold at once: half of what the process may map (its address
// space limit) or of the machine's memory, whichever is less.
qint64 defaultMemoryBudget();

}  // namespace strikon::cli
