#include "language_table.h"

namespace strikon {

const std::vector<TranslatedText>& mainWindowTexts() {
    using T = TranslatedText::Target;
    static const std::vector<TranslatedText> texts = {
        {T::ApplicationTitle, "", "Стрикон", "Strikon"},
        {T::WindowTitle, "", "Стрикон", "Strikon"},
        {T::MenuTitle, "A1", "Файл", "File"},
        {T::ActionText, "SaveAsMI", "Сохранить как", "Save As"},
        {T::ActionText, "PrintMI", "Печать", "Print"},
        {T::ActionText, "PrintSheetMI", "Печать листа…", "Print Sheet…"},
        {T::ActionText, "OutputSettingsMI", "Параметры вывода…", "Output Settings…"},
        {T::ActionText, "ExitMI", "Выход", "Exit"},
        {T::MenuTitle, "A2", "Вид", "View"},
        {T::ActionText, "LineColorMI", "Цвет линий", "Line Color"},
        {T::ActionText, "BackgroundColorMI", "Цвет фона", "Background Color"},
        {T::MenuTitle, "A3", "Экспорт", "Export"},
        {T::ActionText, "CopyMI", "Копировать", "Copy"},
        {T::ActionText, "ExportWordMI", "Передать в Word", "Export to Word"},
        {T::MenuTitle, "A4", "Справка", "Help"},
        {T::ActionText, "HelpMI", "Справка", "Help"},
        {T::ActionText, "AboutMI", "О программе", "About"},
        {T::Hint, "SpeedButton1", "Сохранить", "Save"},
        {T::Hint, "SpeedButton2", "Печать", "Print"},
        {T::Hint, "SpeedButton3", "Копировать", "Copy"},
        {T::Hint, "SpeedButton4", "Передать в Microsoft Word", "Export to Microsoft Word"},
        {T::Hint, "LineColorBtn", "Цвет линий", "Line Color"},
        {T::Hint, "BackgroundColorBtn", "Цвет фона", "Background Color"},
        {T::LabelText, "AddOnLabel", "Дополнение:", "Add-On:"},
        {T::LabelText, "SizeLabel", "Размер:", "Size:"},
        {T::Hint, "CheckDigitButton", "Рассчитать контрольное значение", "Calculate Check Digit"},
        {T::LabelText, "ITF14SizeLabel", "Размер:", "Size:"},
        {T::Hint, "ITF14CheckDigitButton", "Рассчитать контрольное значение",
         "Calculate Check Digit"},
        {T::GroupTitle, "PreviewBox", "Предварительный просмотр", "Preview"},
    };
    return texts;
}

}  // namespace strikon
