#include "app/input/decimal_spin_box.h"

#include <algorithm>

namespace strikon {

namespace {

// The locale's decimal separator in place of the other one.
QString withLocaleSeparator(QString text, const QLocale& locale) {
    const QString point = locale.decimalPoint();
    const QChar other = point == QLatin1String(",") ? QLatin1Char('.') : QLatin1Char(',');
    text.replace(other, point);
    return text;
}

}  // namespace

DecimalSpinBox::DecimalSpinBox(QWidget* parent) : QDoubleSpinBox(parent) {
    // A value past the range becomes the limit, not the previous value.
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    // No group separators: "1.000" must never read as a thousand.
    setGroupSeparatorShown(false);
}

std::optional<double> DecimalSpinBox::number(const QString& text) const {
    QString body = text;
    if (body.startsWith(prefix())) {
        body.remove(0, prefix().size());
    }
    if (!suffix().isEmpty() && body.endsWith(suffix())) {
        body.chop(suffix().size());
    }
    bool ok = false;
    const double value = locale().toDouble(withLocaleSeparator(body.trimmed(), locale()), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

QValidator::State DecimalSpinBox::validate(QString& text, int& pos) const {
    text = withLocaleSeparator(text, locale());
    const QValidator::State state = QDoubleSpinBox::validate(text, pos);
    if (state == QValidator::Invalid) {
        // Too large or too small but a number: let it stand until the edit ends, then fixup
        // holds it at the limit.
        if (number(text)) {
            return QValidator::Intermediate;
        }
    }
    return state;
}

double DecimalSpinBox::valueFromText(const QString& text) const {
    const std::optional<double> value = number(text);
    return value ? std::clamp(*value, minimum(), maximum()) : minimum();
}

void DecimalSpinBox::fixup(QString& text) const {
    if (const std::optional<double> value = number(text)) {
        text = textFromValue(std::clamp(*value, minimum(), maximum()));
        return;
    }
    QDoubleSpinBox::fixup(text);
}

}  // namespace strikon
