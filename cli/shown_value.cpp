#include "cli/shown_value.h"

namespace strikon::cli {

QString shownValue(const QString& value) {
    if (value.size() <= kShownValueLength) {
        return value;
    }
    qsizetype cut = kShownValueLength - 1;
    if (value.at(cut).isLowSurrogate()) {
        --cut;  // never split a character outside the basic plane
    }
    return value.left(cut) + QChar(0x2026);
}

}  // namespace strikon::cli
