#pragma once
// Outcomes of the image and document writers. A writer never logs: it hands its caller either
// success or a reason a person can read (the system's own words, e.g. "No such file or
// directory"), and the caller decides how to show it.

#include <QString>
#include <utility>

namespace strikon {

struct WriteResult {
    bool ok = false;
    QString error;        // empty when ok
    int systemError = 0;  // the errno behind `error` when the system refused, else 0

    static WriteResult success() { return {true, {}, 0}; }
    static WriteResult failure(QString reason, int errnum = 0) {
        return {false, std::move(reason), errnum};
    }
};

// A result that carries a value (encoded bytes, a path) when ok.
template <typename T>
struct ValueResult {
    bool ok = false;
    T value{};
    QString error;  // empty when ok

    static ValueResult success(T v) { return {true, std::move(v), {}}; }
    static ValueResult failure(QString reason) { return {false, T{}, std::move(reason)}; }
};

}  // namespace strikon
