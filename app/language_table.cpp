#include "language_table.h"

namespace strikon {

const std::vector<TranslatedText>& mainWindowTexts() {
    using T = TranslatedText::Target;
    static const std::vector<TranslatedText> texts = {
        {T::WindowTitle, "", "Стрикон", "Strikon"},
        {T::MenuTitle, "A1", "&Файл", "&File"},
        {T::ActionText, "SaveAsMI", "Сохранить &как…", "Save &As…"},
        {T::ActionText, "PrintMI", "&Печать…", "&Print…"},
        {T::ActionText, "PrintSheetMI", "Печать &листа…", "Print &Sheet…"},
        {T::ActionText, "OutputSettingsMI", "Пар&аметры вывода…", "&Output Settings…"},
        {T::ActionText, "ExitMI", "В&ыход", "E&xit"},
        {T::MenuTitle, "A2", "&Вид", "&View"},
        {T::ActionText, "LineColorMI", "Цвет &линий…", "&Line Color…"},
        {T::ActionText, "BackgroundColorMI", "Цвет &фона…", "&Background Color…"},
        {T::MenuTitle, "A3", "&Экспорт", "&Export"},
        {T::ActionText, "CopyMI", "&Копировать", "&Copy"},
        {T::ActionText, "ExportWordMI", "Передать в &Word", "Export to &Word"},
        {T::MenuTitle, "A4", "&Справка", "&Help"},
        {T::ActionText, "HelpMI", "&Справка", "&Help"},
        {T::ActionText, "AboutMI", "&О программе", "&About"},
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
        {T::Hint, "GS1CheckDigitButton", "Рассчитать контрольное значение",
         "Calculate Check Digit"},
        {T::Hint, "GS1_Gtin", "GTIN (01): 8, 12, 13 или 14 цифр",
         "GTIN (01): 8, 12, 13 or 14 digits"},
        {T::Placeholder, "GS1_Gtin", "GTIN", "GTIN"},
        {T::Hint, "GS1_Lot", "Номер партии (10), до 20 знаков",
         "Batch/lot (10), up to 20 characters"},
        {T::Placeholder, "GS1_Lot", "партия", "batch/lot"},
        {T::Hint, "GS1_Expiry", "Годен до (17), ГГММДД", "Expiry date (17), YYMMDD"},
        {T::Placeholder, "GS1_Expiry", "ГГММДД", "YYMMDD"},
        {T::Hint, "GS1_Serial", "Серийный номер (21), до 20 знаков",
         "Serial number (21), up to 20 characters"},
        {T::Placeholder, "GS1_Serial", "серийный №", "serial"},
        {T::Hint, "GS1_Module",
         "Модуль X в миллиметрах, в пределах GS1; рисуется целым числом точек",
         "Module X in millimetres, within GS1's range; drawn in whole dots"},
        {T::LabelText, "GS1MmLabel", "мм", "mm"},
        {T::LabelText, "GS1ResolverLabel", "Резолвер:", "Resolver:"},
        {T::Hint, "GS1_Resolver", "Адрес резолвера GS1 Digital Link (https://…), только для GS1-QR",
         "GS1 Digital Link resolver (https://…), GS1-QR only"},
        {T::GroupTitle, "PreviewBox", "Предварительный просмотр", "Preview"},
    };
    return texts;
}

const std::vector<TranslatedFault>& sheetFaultTexts() {
    using K = SheetFault::Kind;
    // Counts stand after a colon ("готово этикеток: 7"), which needs no plural forms.
    static const std::vector<TranslatedFault> texts = {
        {K::NoGrid, "на листе нужен хотя бы один столбец и одна строка, а не %1 × %2"},
        {K::NoArea, "у этикетки %1 × %2 мм нет площади"},
        {K::OverlapAcross,
         "этикетки налезают друг на друга: шаг по горизонтали %1 мм меньше ширины этикетки %2 мм"},
        {K::OverlapDown,
         "этикетки налезают друг на друга: шаг по вертикали %1 мм меньше высоты этикетки %2 мм"},
        {K::OffPageAcross,
         "этикетки выходят за край листа: столбцы занимают от %1 до %2 мм, а ширина бумаги %3 — "
         "%4 мм"},
        {K::OffPageDown,
         "этикетки выходят за край листа: строки занимают от %1 до %2 мм, а высота бумаги %3 — "
         "%4 мм"},
        {K::TooManySkipped, "этикеток на листе: %1, пропустить %2 нельзя"},
        {K::NothingToDraw, "%1: нечего выводить"},
        {K::TooLarge, "%1 размером %2 × %3 мм больше своей этикетки %4 × %5 мм"},
        {K::BadRunStart, "нумерованный ряд нельзя начать с «%1»"},
        {K::PastLastNumber, "ряд выходит за последнее %1-значное число; готово этикеток: %2"},
        {K::NoUPCEForm, "у UPC-A %1 нет формы UPC-E; ряд UPC-E прерван, готово этикеток: %2"},
        {K::NoSerial,
         "ряд символов GS1 нумерует серийный номер (21), а в %1 нет такого, оканчивающегося "
         "цифрами"},
        {K::TooManyLabels, "этикеток на листе: %1, а больше %2 на лист не помещается"},
        {K::GridsOverlap, "этикетки налезают друг на друга: этикетка %1 закрывает этикетку %2"},
        {K::TooLargeInside,
         "%1 размером %2 × %3 мм больше наибольшего прямоугольника внутри этикетки, %4 × %5 мм"},
        {K::NotDualQr,
         "двойная маркировка печатает рядом с GS1-QR код EAN-13, UPC-A или EAN-8 его GTIN, а %1 "
         "— не GS1-QR"},
        {K::NoRetailSymbol,
         "у GTIN %1 нет кода EAN-13, UPC-A или EAN-8 для печати рядом с QR: индикатор %2 "
         "обозначает групповую упаковку или товар переменной меры, а не товар розничной продажи"},
    };
    return texts;
}

}  // namespace strikon
