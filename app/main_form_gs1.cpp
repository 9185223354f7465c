// The GS1 page: a GTIN and its optional lot, expiry and serial, the symbology, the module X and
// the QR's resolver; and the notice that says why data is refused.
#include <QRegularExpressionValidator>

#include "app/current_lang.h"
#include "app/input/beep.h"
#include "app/input/wheel_guard.h"
#include "app/language_table.h"
#include "encoders/gs1_data.h"
#include "encoders/gs1_symbol.h"
#include "main_form.h"
#include "render/draw_symbol.h"
#include "ui_main_form.h"

namespace strikon {

namespace {

// The GS1 symbology the page's list names; the list holds nothing else.
Symbology gs1Symbology(const QComboBox& list) {
    const auto named = symbologyNamed(list.currentText().toStdString());
    return named && isGs1(*named) ? *named : Symbology::GS1QR;
}

}  // namespace

void TMainForm::setUpGs1Page() {
    const auto digitsUpTo = [this](int n) {
        return new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(n)), this);
    };
    ui_->GS1_Gtin->setValidator(digitsUpTo(14));
    ui_->GS1_Expiry->setValidator(digitsUpTo(6));
    QPalette warning = ui_->GS1Notice->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    ui_->GS1Notice->setPalette(warning);
    takeWheelOnlyWithFocus(ui_->GS1_CodeType);
    takeWheelOnlyWithFocus(ui_->GS1_Module);
    Gs1CodeTypeChange();
}

void TMainForm::wireGs1Page() {
    connect(ui_->GS1_CodeType, &QComboBox::currentTextChanged, this, &TMainForm::Gs1CodeTypeChange);
    connect(ui_->GS1CheckDigitButton, &QToolButton::clicked, this,
            &TMainForm::Gs1CheckDigitButtonClick);
    for (QLineEdit* field :
         {ui_->GS1_Gtin, ui_->GS1_Lot, ui_->GS1_Expiry, ui_->GS1_Serial, ui_->GS1_Resolver}) {
        connect(field, &QLineEdit::textChanged, this, &TMainForm::repaintPreview);
    }
    connect(ui_->GS1_Module, &QDoubleSpinBox::valueChanged, this, &TMainForm::repaintPreview);
}

void TMainForm::gs1PageTexts(PageTexts& page) const {
    page.codeType = ui_->GS1_CodeType->currentText();
    page.code = ui_->GS1_Gtin->text();
    page.lot = ui_->GS1_Lot->text();
    page.expiry = ui_->GS1_Expiry->text();
    page.serial = ui_->GS1_Serial->text();
    page.resolver = ui_->GS1_Resolver->text();
    page.moduleMm = ui_->GS1_Module->value();
}

void TMainForm::Gs1CodeTypeChange() {
    const Symbology symbology = gs1Symbology(*ui_->GS1_CodeType);
    // GS1's range for the symbology; a value outside it is brought to its nearer end.
    const Gs1SizeFacts& size = gs1SizeFacts(symbology);
    ui_->GS1_Module->setRange(size.minMm, size.maxMm);
    // Only the QR carries a Digital Link; the others hold the element string itself.
    const bool qr = symbology == Symbology::GS1QR;
    ui_->GS1ResolverLabel->setEnabled(qr);
    ui_->GS1_Resolver->setEnabled(qr);
    repaintPreview();
}

void TMainForm::Gs1CheckDigitButtonClick() {
    QString text = ui_->GS1_Gtin->text();
    const std::string digits = gatherDigits(text);
    const size_t n = digits.size();
    if (digits.size() != static_cast<size_t>(text.size()) ||
        (n != 8 && n != 12 && n != 13 && n != 14)) {
        // No GTIN length: there is no position that is the check digit.
        beep();
        return;
    }
    text[text.size() - 1] = QLatin1Char(gs1CheckDigit(digits));
    if (text != ui_->GS1_Gtin->text()) {
        ui_->GS1_Gtin->setText(text);
    }
}

void TMainForm::updateGs1Notice() {
    QLabel& notice = *ui_->GS1Notice;
    const std::optional<SymbolRequest> symbol = currentSymbol();
    std::optional<Gs1Error> refusal;
    if (symbol && isGs1(symbol->symbology)) {
        refusal = gs1Refusal(gs1SymbolOf(*symbol));
    }
    if (!refusal) {
        notice.hide();
        notice.clear();
        return;
    }
    const Language language = currentLanguage();
    const std::string reason =
        language == Language::Russian ? gs1ErrorRussian(*refusal) : gs1ErrorEnglish(*refusal);
    notice.setText(kGs1Refused.in(language).arg(QString::fromStdString(reason)));
    notice.show();
}

}  // namespace strikon
