#include "cli/shown_value.h"

namespace strikon::cli {

namespace {

// A control character spelled out, so that a line break or an escape in a cell cannot break
// the message's line or act on the terminal.
QString spelled(QChar c) {
    switch (c.unicode()) {
        case '\n':
            return QStringLiteral("\\n");
        case '\r':
            return QStringLiteral("\\r");
        case '\t':
            return QStringLiteral("\\t");
        default:
            break;
    }
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0x2028 || u == 0x2029) {
        return QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
    }
    return c;
}

}  // namespace

QString shownValue(const QString& value) {
    QString shown;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QString next = spelled(value.at(i));
        // Room for the ellipsis, and a character outside the basic plane is never split.
        const qsizetype width = value.at(i).isHighSurrogate() ? 2 : next.size();
        if (shown.size() + width > kShownValueLength - 1 &&
            (i + 1 < value.size() || shown.size() + width > kShownValueLength)) {
            return shown + QChar(0x2026);
        }
        shown += next;
    }
    return shown;
}

}  // namespace strikon::cli
