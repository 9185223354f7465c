#pragma once
// The outcome of anything that can fail in cli/, render/ and platform/: success with a value,
// or a reason a person can read (the system's own words, e.g. "No such file or directory").
// Nothing that returns one logs; the caller decides how to show the reason, and the compiler
// warns when a caller drops it.

#include <QString>
#include <utility>

namespace strikon {

// The value of a result that carries none.
struct Done {};

template <typename T = Done>
struct [[nodiscard]] Result {
    bool ok = false;
    T value{};
    QString error;        // empty when ok
    int systemError = 0;  // the errno behind `error` when the system refused, else 0

    static Result success(T v = T{}) { return {true, std::move(v), {}, 0}; }
    static Result failure(QString reason, int errnum = 0) {
        return {false, T{}, std::move(reason), errnum};
    }
};

// A file or document write.
using WriteResult = Result<>;
// A result that carries a value (encoded bytes, a path) when ok.
template <typename T>
using ValueResult = Result<T>;

}  // namespace strikon
