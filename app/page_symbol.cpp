#include "app/page_symbol.h"

namespace strikon {

std::string gatherDigits(const QString& displayed) {
    std::string digits;
    for (const QChar c : displayed) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits.push_back(static_cast<char>(c.unicode()));
        }
    }
    return digits;
}

namespace {

FieldMask maskOf(const QString& pattern) {
    QString text = pattern;
    text.replace(QLatin1Char('9'), QLatin1Char('0'));
    return {pattern + QStringLiteral(";1;0"), text};
}

}  // namespace

FieldMask fieldMask(Symbology symbology) {
    return maskOf(QLatin1String(facts(symbology).inputMask));
}

FieldMask fieldMask(AddOn addOn) {
    return maskOf(QString(facts(addOn).digits, QLatin1Char('9')));
}

std::optional<SymbolRequest> pageSymbol(const PageTexts& page) {
    SymbolRequest request;
    request.digits = gatherDigits(page.code);
    request.sizePercent = static_cast<uint16_t>(page.sizePercent);
    if (page.caption == kItf14Page) {
        request.symbology = Symbology::ITF14;
        return request;
    }
    if (page.caption != kEanUpcPage) {
        return std::nullopt;
    }
    const auto symbology = symbologyNamed(page.codeType.toStdString());
    if (!symbology || *symbology == Symbology::ITF14) {
        return std::nullopt;
    }
    request.symbology = *symbology;
    // As in the encoders, an add-on type they do not know draws no add-on.
    request.addOn = addOnNamed(page.addOnType.toStdString()).value_or(AddOn::None);
    request.addOnDigits = gatherDigits(page.addOn);
    return request;
}

}  // namespace strikon
