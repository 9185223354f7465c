#pragma once
// A value as a message repeats it: whole when short, else its start and an ellipsis, so that a
// stray 100 KB cell does not bury the message that names it; control characters are spelled
// out (\n, \u001b), so that a line break in a cell cannot break the message's line.

#include <QString>

namespace strikon::cli {

inline constexpr qsizetype kShownValueLength = 40;

QString shownValue(const QString& value);

}  // namespace strikon::cli
