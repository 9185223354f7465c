// Commands that produce images of the symbol or open the other windows.
#include "app/current_lang.h"
#include "app/output_settings_dialog.h"
#include "app/sheet_dialog.h"
#include "app/windows.h"
#include "main_form.h"

namespace strikon {

CommandContext TMainForm::commandContext() {
    return CommandContext{this, currentSymbol(), currentLanguage(), outputSettings_.dpi, [this] {
                              OutputSettings settings = outputSettings_;
                              settings.options.fitDots = true;
                              setOutputSettings(settings);
                          }};
}

void TMainForm::setOutputSettings(const OutputSettings& settings) {
    outputSettings_ = settings;
    repaintPreview();
}

void TMainForm::OutputSettingsMIClick() {
    OutputSettingsDialog dialog(
        this, outputSettings_, currentLanguage(), [this] { return currentSymbol(); },
        [this](const OutputSettings& settings) { setOutputSettings(settings); });
    if (settingsDialogRunner_) {
        settingsDialogRunner_(dialog);
    } else {
        dialog.exec();
    }
}

void TMainForm::SaveAsMIClick() {
    saveSymbolAs(commandContext(), dialogs_, *bitmapImage_, *jpegImage_);
}

void TMainForm::PrintMIClick() {
    printSymbol(commandContext(), dialogs_);
}

void TMainForm::PrintSheetMIClick() {
    printSheetOf(commandContext(), dialogs_);
}

void TMainForm::CopyMIClick() {
    copySymbol(commandContext(), dialogs_);
}

void TMainForm::ExportWordMIClick() {
    exportSymbolToWord(commandContext(), dialogs_);
}

void TMainForm::HelpMIClick() {
    if (HelpForm != nullptr) {
        HelpForm->ShowManual(CurrentLang);
    }
}

void TMainForm::AboutMIClick() {
    if (AboutForm != nullptr) {
        AboutForm->setLanguage(CurrentLang);
        AboutForm->ShowModalOver(this);
    }
}

}  // namespace strikon
