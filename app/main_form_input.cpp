// Code and add-on types, check digits and colours.
#include <QColorDialog>

#include "encoders/check_digit.h"
#include "main_form.h"
#include "ui_main_form.h"

namespace strikon {

namespace {

struct CodeTypeLayout {
    const char* codeType;
    const char* mask;
    const char* defaultText;
};

// Masks in the three-field notation: pattern ('9' a digit, ' ' a literal), literals kept in the
// text, '0' shown where nothing was typed.
constexpr CodeTypeLayout kCodeTypes[] = {
    {"EAN-13", "9 999999 999999;1;0", "0 000000 000000"},
    {"EAN-8", "9999 9999;1;0", "0000 0000"},
    {"UPC-A", "9 99999 99999 9;1;0", "0 00000 00000 0"},
    {"UPC-E", "9 999999 9;1;0", "0 000000 0"},
};

const QString kNone = QStringLiteral("None");

// Writes the last digit of the computed string into the field's last position. Writing the
// same text again raises no change notification, so a correct check digit repaints nothing.
void writeCheckDigit(MaskedEdit* field, const std::string& withCheck) {
    QString text = field->displayText();
    if (text.isEmpty() || withCheck.empty()) {
        return;
    }
    text[text.size() - 1] = QLatin1Char(withCheck.back());
    if (text != field->displayText()) {
        field->setText(text);
    }
}

}  // namespace

void TMainForm::EANUPC_CodeTypeChange() {
    ui->AddOnLabel->show();
    ui->EANUPC_AddOnType->show();
    ui->EANUPC_AddOnValue->show();
    const QString codeType = ui->EANUPC_CodeType->currentText();
    for (const CodeTypeLayout& layout : kCodeTypes) {
        if (codeType != QLatin1String(layout.codeType)) {
            continue;
        }
        if (codeType == QLatin1String("EAN-8")) {
            // EAN-8 never carries an add-on.
            ui->AddOnLabel->hide();
            ui->EANUPC_AddOnType->hide();
            ui->EANUPC_AddOnValue->hide();
        }
        ui->EANUPC_CodeValue->setMask(QLatin1String(layout.mask),
                                      QLatin1String(layout.defaultText));
        break;
    }
    if (ui->EANUPC_AddOnType->currentText() == kNone) {
        ui->EANUPC_AddOnValue->hide();
    }
    repaintPreview();
}

void TMainForm::EANUPC_AddOnTypeChange() {
    ui->EANUPC_AddOnValue->show();
    const QString addOnType = ui->EANUPC_AddOnType->currentText();
    if (addOnType == kNone) {
        // The hidden field keeps its mask and digits.
        ui->EANUPC_AddOnValue->hide();
    }
    if (addOnType == QLatin1String("2-Digit")) {
        ui->EANUPC_AddOnValue->setMask(QStringLiteral("99;1;0"), QStringLiteral("00"));
    } else if (addOnType == QLatin1String("5-Digit")) {
        ui->EANUPC_AddOnValue->setMask(QStringLiteral("99999;1;0"), QStringLiteral("00000"));
    }
    repaintPreview();
}

void TMainForm::CheckDigitButtonClick() {
    const std::string digits = gatherDigits(ui->EANUPC_CodeValue->displayText());
    // A scanner checks a UPC-E symbol over its expanded UPC-A form, so the digit is computed
    // there; every other symbology weights its own digits directly.
    writeCheckDigit(ui->EANUPC_CodeValue,
                    CalcCheckDigitFor(ui->EANUPC_CodeType->currentText().toStdString(), digits));
}

void TMainForm::ITF14CheckDigitButtonClick() {
    const std::string digits = gatherDigits(ui->ITF14_CodeValue->displayText());
    writeCheckDigit(ui->ITF14_CodeValue, CalcCheckDigit(digits));
}

std::optional<QColor> TMainForm::chooseColor() {
    std::optional<QColor> chosen;
    if (colorChooser_) {
        chosen = colorChooser_(lastChosenColor_);
    } else {
        // One dialog for both colours; it opens on the colour last confirmed in it.
        if (colorDialog_ == nullptr) {
            colorDialog_ = new QColorDialog(this);
        }
        colorDialog_->setCurrentColor(lastChosenColor_);
        if (colorDialog_->exec() == QDialog::Accepted) {
            chosen = colorDialog_->selectedColor();
        }
    }
    if (chosen) {
        lastChosenColor_ = *chosen;
    }
    return chosen;
}

void TMainForm::LineColorBtnClick() {
    if (const auto color = chooseColor()) {
        ui->LineColorBtn->setColor(*color);
    }
    repaintPreview();
}

void TMainForm::BackgroundColorBtnClick() {
    if (const auto color = chooseColor()) {
        ui->BackgroundColorBtn->setColor(*color);
    }
    repaintPreview();
}

}  // namespace strikon
