#pragma once
// The translated texts of the main window, in the order SetLang applies them. Texts that the
// program compares (page captions, code-type and add-on items) are deliberately absent: they are
// the same in both languages.

#include <QString>
#include <vector>

#include "app/language.h"
#include "render/sheet_fault.h"

namespace strikon {

struct TranslatedText {
    enum class Target {
        ApplicationTitle,  // the application name the desktop shows (task-bar text)
        WindowTitle,       // the main window's caption
        MenuTitle,         // a QMenu's title
        ActionText,        // a menu item's caption
        Hint,              // a tool button's or panel's tooltip, also its accessible name
        LabelText,         // a QLabel's text
        GroupTitle,        // a QGroupBox's title
        Placeholder,       // what an empty QLineEdit shows in grey
    };
    Target target;
    const char* objectName;  // empty for the application and the window itself
    QString russian;
    QString english;
};

const std::vector<TranslatedText>& mainWindowTexts();

// The notice under the preview when the screen does not report its size; shown and hidden as the
// window moves between screens.
inline constexpr Wording kScreenSizeUnknown{
    "Размер экрана неизвестен: просмотр рассчитан на 96 dpi",
    "Screen size unknown: the preview assumes 96 dpi"};

// Beside the GS1 page when its data draws no symbol; %1 is the reason, which names the AI.
inline constexpr Wording kGs1Refused{"Символ не построен. %1", "No symbol is drawn. %1"};

// Why a sheet of labels cannot be printed, in Russian, with the values of the fault as %1, %2,
// ... in the order of the English sentence. In English the dialog shows strikon-render's words.
struct TranslatedFault {
    SheetFault::Kind kind;
    QString russian;
};

const std::vector<TranslatedFault>& sheetFaultTexts();

}  // namespace strikon
