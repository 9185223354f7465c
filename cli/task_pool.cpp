#include "cli/task_pool.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace strikon::cli {

TaskPool::TaskPool(int threads) {
    if (threads <= 1) {
        return;
    }
    threads_.reserve(static_cast<size_t>(threads));
    for (int i = 0; i < threads; ++i) {
        threads_.emplace_back([this] { work(); });
    }
}

TaskPool::~TaskPool() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) {
        t.join();
    }
}

void TaskPool::push(std::function<void()> task) {
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void TaskPool::work() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) {
                return;  // stopping, and nothing left to run
            }
            task = std::move(queue_.front());
            queue_.pop_front();
        }
        task();
    }
}

int defaultJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

void MemoryBudget::take(qint64 bytes) {
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return used_ == 0 || used_ + bytes <= budget_; });
    used_ += bytes;
}

void MemoryBudget::give(qint64 bytes) {
    {
        const std::lock_guard lock(mutex_);
        used_ -= bytes;
    }
    freed_.notify_all();
}

qint64 defaultMemoryBudget() {
    qint64 limit = qint64{1} << 40;
    rlimit space{};
    if (::getrlimit(RLIMIT_AS, &space) == 0 && space.rlim_cur != RLIM_INFINITY) {
        limit = static_cast<qint64>(space.rlim_cur);
    }
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0) {
        limit = std::min(limit, qint64{pages} * pageSize);
    }
    return std::max<qint64>(limit / 2, 64 << 20);
}

}  // namespace strikon::cli
