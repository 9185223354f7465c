#include "app/page_symbol.h"

#include "encoders/gs1_data.h"

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

std::string gs1PageElements(const PageTexts& page) {
    const std::string typed = page.code.trimmed().toStdString();
    const std::string gtin = gtin14(typed);
    std::string elements = "(01)" + (gtin.empty() ? typed : gtin);
    const auto add = [&elements](const char* ai, const QString& value) {
        if (!value.isEmpty()) {
            elements += std::string("(") + ai + ")" + value.toStdString();
        }
    };
    add("17", page.expiry.trimmed());
    add("10", page.lot);
    add("21", page.serial);
    return elements;
}

std::optional<SymbolRequest> pageSymbol(const PageTexts& page) {
    SymbolRequest request;
    if (page.caption == kGs1Page) {
        const auto symbology = symbologyNamed(page.codeType.toStdString());
        if (!symbology || !isGs1(*symbology)) {
            return std::nullopt;
        }
        request.symbology = *symbology;
        request.gs1.elementString = gs1PageElements(page);
        request.gs1.resolver = page.resolver.trimmed().toStdString();
        request.gs1.moduleMm = page.moduleMm;
        return request;
    }
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
