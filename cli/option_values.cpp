#include "cli/option_values.h"

namespace strikon::cli {

OptionValues OptionValues::overlaidWith(const OptionValues& over) const {
    OptionValues merged = *this;
    auto take = [](std::optional<QString>& into, const std::optional<QString>& from) {
        if (from) {
            into = from;
        }
    };
    take(merged.type, over.type);
    take(merged.digits, over.digits);
    take(merged.addon, over.addon);
    take(merged.size, over.size);
    take(merged.dpi, over.dpi);
    take(merged.lineColor, over.lineColor);
    take(merged.background, over.background);
    take(merged.checkDigit, over.checkDigit);
    take(merged.output, over.output);
    take(merged.barReduction, over.barReduction);
    take(merged.fitDots, over.fitDots);
    take(merged.quietZoneMarks, over.quietZoneMarks);
    return merged;
}

std::optional<QString>* optionField(OptionValues& values, const QString& name) {
    if (name == u"type") {
        return &values.type;
    }
    if (name == u"digits") {
        return &values.digits;
    }
    if (name == u"addon") {
        return &values.addon;
    }
    if (name == u"size") {
        return &values.size;
    }
    if (name == u"dpi") {
        return &values.dpi;
    }
    if (name == u"line-color") {
        return &values.lineColor;
    }
    if (name == u"background") {
        return &values.background;
    }
    if (name == u"check-digit") {
        return &values.checkDigit;
    }
    if (name == u"bar-reduction") {
        return &values.barReduction;
    }
    if (name == u"fit-dots") {
        return &values.fitDots;
    }
    if (name == u"quiet-zone-marks") {
        return &values.quietZoneMarks;
    }
    if (name == u"file" || name == u"output") {
        return &values.output;
    }
    return nullptr;
}

}  // namespace strikon::cli
