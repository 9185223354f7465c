// Code and add-on types, check digits and colours.
#include <QColorDialog>

#include "encoders/check_digit.h"
#include "main_form.h"
#include "ui_main_form.h"

namespace strikon {

namespace {

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
    ui_->AddOnLabel->show();
    ui_->EANUPC_AddOnType->show();
    ui_->EANUPC_AddOnValue->show();
    const std::optional<Symbology> symbology =
        symbologyNamed(ui_->EANUPC_CodeType->currentText().toStdString());
    if (symbology) {
        if (facts(*symbology).addOnStart == 0) {
            // A symbology that takes no add-on (EAN-8) hides the add-on row.
            ui_->AddOnLabel->hide();
            ui_->EANUPC_AddOnType->hide();
            ui_->EANUPC_AddOnValue->hide();
        }
        const FieldMask mask = fieldMask(*symbology);
        ui_->EANUPC_CodeValue->setMask(mask.mask, mask.defaultText);
    }
    if (ui_->EANUPC_AddOnType->currentText() == kNone) {
        ui_->EANUPC_AddOnValue->hide();
    }
    repaintPreview();
}

void TMainForm::EANUPC_AddOnTypeChange() {
    ui_->EANUPC_AddOnValue->show();
    const QString addOnType = ui_->EANUPC_AddOnType->currentText();
    if (addOnType == kNone) {
        // The hidden field keeps its mask and digits.
        ui_->EANUPC_AddOnValue->hide();
    }
    const std::optional<AddOn> addOn = addOnNamed(addOnType.toStdString());
    if (addOn && *addOn != AddOn::None) {
        const FieldMask mask = fieldMask(*addOn);
        ui_->EANUPC_AddOnValue->setMask(mask.mask, mask.defaultText);
    }
    repaintPreview();
}

void TMainForm::CheckDigitButtonClick() {
    const std::string digits = gatherDigits(ui_->EANUPC_CodeValue->displayText());
    // A scanner checks a UPC-E symbol over its expanded UPC-A form, so the digit is computed
    // there; every other symbology weights its own digits directly.
    if (const auto symbology = symbologyNamed(ui_->EANUPC_CodeType->currentText().toStdString())) {
        writeCheckDigit(ui_->EANUPC_CodeValue, CalcCheckDigitFor(*symbology, digits));
    }
}

void TMainForm::ITF14CheckDigitButtonClick() {
    const std::string digits = gatherDigits(ui_->ITF14_CodeValue->displayText());
    writeCheckDigit(ui_->ITF14_CodeValue, CalcCheckDigitFor(Symbology::ITF14, digits));
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
        ui_->LineColorBtn->setColor(*color);
    } else {
        repaintPreview();
    }
}

void TMainForm::BackgroundColorBtnClick() {
    if (const auto color = chooseColor()) {
        ui_->BackgroundColorBtn->setColor(*color);
    } else {
        repaintPreview();
    }
}

}  // namespace strikon
