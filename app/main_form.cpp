#include "main_form.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

#include "app/current_lang.h"
#include "app/input/wheel_guard.h"
#include "app/language_table.h"
#include "platform/qt_translations.h"
#include "platform/user_language.h"
#include "ui_main_form.h"

// The icons are compiled into a static library; the linker keeps them only when referenced.
static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace strikon {

namespace {

// The Windows identifier of Russian as used in Russia; other Russian variants start in English.
constexpr uint16_t kRussianRussia = 1049;
constexpr int kRussianItem = 0;
constexpr int kEnglishItem = 1;
// The panel colour of a cream list background (255, 251, 240).
const QColor kCream(255, 251, 240);

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), ui_(new Ui::TMainForm) {
    // The render dispatch reaches the controls through the one main window, already while the
    // window builds itself.
    MainForm = this;
    initIconResources();
    ui_->setupUi(this);
    setUpWindow();
    wireEvents();
    symbol_ = readSymbol();
    FormCreate(userDefaultLangId());
}

TMainForm::~TMainForm() {
    if (MainForm == this) {
        MainForm = nullptr;
    }
}

void TMainForm::setUpWindow() {
    // System menu, minimise and close; no maximise, and a fixed size.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(618, 479);

    // A sans face at 11 pixels; "Arial" resolves to the metric-compatible Liberation Sans, whose
    // widths fit the fields' texts at their fixed sizes.
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPixelSize(11);
    // One face for the whole program: menus and Qt's dialogs are windows of their own and take
    // the application's font, not this window's.
    QApplication::setFont(windowFont);
    setFont(windowFont);
    QFont bold = windowFont;
    bold.setBold(true);
    ui_->PreviewBox->setFont(bold);
    ui_->PaintBox->setFont(windowFont);
    fitPreviewInsideFrame();

    QPalette cream = ui_->LangComboBox->palette();
    cream.setColor(QPalette::Base, kCream);
    ui_->LangComboBox->setPalette(cream);

    ui_->LineColorBtn->setColor(Qt::black);
    ui_->BackgroundColorBtn->setColor(Qt::white);
    const auto setMask = [](MaskedEdit* field, const FieldMask& m) {
        field->setMask(m.mask, m.defaultText);
    };
    setMask(ui_->EANUPC_CodeValue, fieldMask(Symbology::EAN13));
    setMask(ui_->EANUPC_AddOnValue, fieldMask(AddOn::FiveDigit));
    ui_->EANUPC_AddOnValue->hide();
    setMask(ui_->ITF14_CodeValue, fieldMask(Symbology::ITF14));
    // One spin box serves the four EAN/UPC symbologies, which share their sizes.
    const SymbologyFacts& eanUpc = facts(Symbology::EAN13);
    ui_->EANUPC_Size->configure(eanUpc.minSize, eanUpc.maxSize, eanUpc.sizeStep);
    const SymbologyFacts& itf = facts(Symbology::ITF14);
    ui_->ITF14_Size->configure(itf.minSize, itf.maxSize, itf.sizeStep);
    setUpGs1Page();
    ui_->PageControl->setCurrentIndex(0);
    for (QWidget* list :
         std::initializer_list<QWidget*>{ui_->EANUPC_CodeType, ui_->EANUPC_AddOnType,
                                         ui_->EANUPC_Size, ui_->ITF14_Size, ui_->LangComboBox}) {
        takeWheelOnlyWithFocus(list);
    }
    // Digits typed at once land in the number; the focus order stays as laid out.
    ui_->EANUPC_CodeValue->setFocus(Qt::OtherFocusReason);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

// The style draws the group box's frame below its title; the preview keeps its size and sits
// inside the frame, which grows to hold it, so the frame is drawn whole. The notice about the
// screen's size follows under it.
void TMainForm::fitPreviewInsideFrame() {
    // Fusion's contents rectangle starts on the frame's top line, which is two pixels (a dark
    // and a light one) as on every side.
    constexpr int kFrameLines = 2;
    QGroupBox* box = ui_->PreviewBox;
    const int top = box->contentsRect().y() + kFrameLines;
    ui_->PaintBox->move(ui_->PaintBox->x(), top);
    box->resize(box->width(), top + ui_->PaintBox->height() + kFrameLines);
    ui_->ScreenNotice->move(ui_->ScreenNotice->x(), box->geometry().bottom() + 3);
}

void TMainForm::wireEvents() {
    const auto both = [this](QToolButton* button, QAction* item, void (TMainForm::*handler)()) {
        if (button) {
            connect(button, &QToolButton::clicked, this, handler);
        }
        connect(item, &QAction::triggered, this, handler);
    };
    both(ui_->SpeedButton1, ui_->SaveAsMI, &TMainForm::SaveAsMIClick);
    both(ui_->SpeedButton2, ui_->PrintMI, &TMainForm::PrintMIClick);
    both(ui_->SpeedButton3, ui_->CopyMI, &TMainForm::CopyMIClick);
    both(ui_->SpeedButton4, ui_->ExportWordMI, &TMainForm::ExportWordMIClick);
    both(ui_->SpeedButton5, ui_->HelpMI, &TMainForm::HelpMIClick);
    both(ui_->SpeedButton6, ui_->AboutMI, &TMainForm::AboutMIClick);
    both(nullptr, ui_->PrintSheetMI, &TMainForm::PrintSheetMIClick);
    both(nullptr, ui_->ExitMI, &TMainForm::ExitMIClick);
    both(nullptr, ui_->OutputSettingsMI, &TMainForm::OutputSettingsMIClick);
    both(nullptr, ui_->LineColorMI, &TMainForm::LineColorBtnClick);
    both(nullptr, ui_->BackgroundColorMI, &TMainForm::BackgroundColorBtnClick);
    connect(ui_->LineColorBtn, &ColorPanel::clicked, this, &TMainForm::LineColorBtnClick);
    connect(ui_->BackgroundColorBtn, &ColorPanel::clicked, this,
            &TMainForm::BackgroundColorBtnClick);

    connect(ui_->LangComboBox, &QComboBox::currentIndexChanged, this,
            &TMainForm::LangComboBoxChange);
    // Typed text that names no language does not stay beside the flag: leaving the field shows
    // the current language again (a typed name of a language chooses it).
    connect(ui_->LangComboBox->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        QComboBox* selector = ui_->LangComboBox;
        const int named = selector->findText(selector->currentText(), Qt::MatchFixedString);
        if (named >= 0) {
            selector->setCurrentIndex(named);
        }
        selector->setEditText(selector->itemText(selector->currentIndex()));
    });
    connect(ui_->EANUPC_CodeType, &QComboBox::currentTextChanged, this,
            &TMainForm::EANUPC_CodeTypeChange);
    connect(ui_->EANUPC_AddOnType, &QComboBox::currentTextChanged, this,
            &TMainForm::EANUPC_AddOnTypeChange);
    connect(ui_->CheckDigitButton, &QToolButton::clicked, this, &TMainForm::CheckDigitButtonClick);
    connect(ui_->ITF14CheckDigitButton, &QToolButton::clicked, this,
            &TMainForm::ITF14CheckDigitButtonClick);

    wireGs1Page();

    // Every change that affects the symbol repaints the preview synchronously.
    ui_->PaintBox->setPaintHandler([this](QPainter& painter) { PaintBoxPaint(painter); });
    connect(ui_->PageControl, &QTabWidget::currentChanged, this, &TMainForm::repaintPreview);
    for (auto* field : {ui_->EANUPC_CodeValue, ui_->EANUPC_AddOnValue, ui_->ITF14_CodeValue}) {
        connect(field, &QLineEdit::textChanged, this, &TMainForm::repaintPreview);
    }
    for (auto* size : {ui_->EANUPC_Size, ui_->ITF14_Size}) {
        connect(size, &QSpinBox::valueChanged, this, &TMainForm::repaintPreview);
    }
    for (auto* panel : {ui_->LineColorBtn, ui_->BackgroundColorBtn}) {
        connect(panel, &ColorPanel::colorChanged, this, &TMainForm::repaintPreview);
    }
}

void TMainForm::FormCreate(uint16_t userLangId) {
    bitmapImage_ = std::make_unique<QImage>();
    jpegImage_ = std::make_unique<QImage>();
    // English first in every case; Russian replaces it only for Russian as used in Russia.
    {
        const QSignalBlocker quiet(ui_->LangComboBox);
        ui_->LangComboBox->setCurrentIndex(kEnglishItem);
    }
    SetLang(QStringLiteral("ENG"));
    if (userLangId == kRussianRussia) {
        const QSignalBlocker quiet(ui_->LangComboBox);
        ui_->LangComboBox->setCurrentIndex(kRussianItem);
        SetLang(QStringLiteral("RUS"));
    }
}

void TMainForm::SetLang(const QString& Lang) {
    CurrentLang = Lang;
    if (Lang == QLatin1String("RUS") || Lang == QLatin1String("ENG")) {
        applyLanguage(currentLanguage());
        // Qt's own dialogs and menus follow; without the package they stay English.
        if (!useQtTranslations(Lang)) {
            qWarning(
                "Qt's Russian translation (qtbase_ru) is not installed; Qt's dialogs stay "
                "in English");
        }
    }
    updateScreenNotice();
    updateOutputInfo();
    updateGs1Notice();
}

namespace {

// Applies `set` to the named child; a name the layout lacks is said on the console instead of
// crashing the window (the language table and the layout are kept in step by the tests).
template <typename Widget, typename Set>
void withChild(QObject& root, const QString& name, Set set) {
    if (auto* child = root.findChild<Widget*>(name)) {
        set(*child);
    } else {
        qWarning("The window has no element named %s", qPrintable(name));
    }
}

}  // namespace

void TMainForm::applyLanguage(Language language) {
    using T = TranslatedText::Target;
    for (const TranslatedText& entry : mainWindowTexts()) {
        const QString& text = language == Language::Russian ? entry.russian : entry.english;
        const QString name = QLatin1String(entry.objectName);
        switch (entry.target) {
            case T::ApplicationTitle:
                QCoreApplication::setApplicationName(text);
                break;
            case T::WindowTitle:
                setWindowTitle(text);
                break;
            case T::MenuTitle:
                withChild<QMenu>(*this, name, [&](QMenu& m) { m.setTitle(text); });
                break;
            case T::ActionText:
                withChild<QAction>(*this, name, [&](QAction& a) { a.setText(text); });
                break;
            case T::Hint:
                // Picture-only buttons: the hint is also what a screen reader announces.
                withChild<QWidget>(*this, name, [&](QWidget& w) {
                    w.setToolTip(text);
                    w.setAccessibleName(text);
                });
                break;
            case T::LabelText:
                withChild<QLabel>(*this, name, [&](QLabel& l) { l.setText(text); });
                break;
            case T::GroupTitle:
                withChild<QGroupBox>(*this, name, [&](QGroupBox& g) { g.setTitle(text); });
                break;
            case T::Placeholder:
                withChild<QLineEdit>(*this, name,
                                     [&](QLineEdit& e) { e.setPlaceholderText(text); });
                break;
        }
    }
    // The help and About buttons show no hint, but a screen reader still names them after
    // their menu items.
    ui_->SpeedButton5->setAccessibleName(ui_->HelpMI->text());
    ui_->SpeedButton6->setAccessibleName(ui_->AboutMI->text());
}

void TMainForm::LangComboBoxChange() {
    const int index = ui_->LangComboBox->currentIndex();
    if (index == kRussianItem) {
        SetLang(QStringLiteral("RUS"));
    } else if (index == kEnglishItem) {
        SetLang(QStringLiteral("ENG"));
    }
}

void TMainForm::ExitMIClick() {
    close();
}

}  // namespace strikon
