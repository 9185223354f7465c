#include "app/sheet_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>

#include "app/scan_notices.h"
#include "app/sheet_picture.h"
#include "app/sheet_products.h"
#include "app/sheet_wording.h"
#include "render/dual_marking.h"
#include "render/symbol_image.h"

namespace strikon {

namespace {

// Sizes are checked against their labels at the finest resolution a printer is set to here,
// and again at the chosen printer's own.
constexpr double kCheckDpi = 1200;
constexpr int kMaxLabels = 16000;
constexpr int kPrinterPaper = 2;   // the paper list: A4, Letter, the printer's page,
constexpr int kTemplatePaper = 3;  // and the page a maker's template names

// The dialog's texts; the paper names and the sheets' titles are not translated.
struct DialogTexts {
    Wording title{"Печать листа", "Print Sheet"};
    Wording custom{"Свой", "Custom"};
    Wording pageSetup{"Параметры страницы…", "Page Setup…"};
    Wording wholeDots{"Модули в целых точках", "Whole-dot modules"};
    Wording mm{" мм", " mm"};
    Wording copies{"Копии", "Copies"};
    Wording run{"Нумерованный ряд, шаг:", "Numbered run, step:"};
    Wording sheet{"Лист:", "Sheet:"};
    Wording paper{"Бумага:", "Paper:"};
    Wording grid{"Столбцы × строки:", "Columns × rows:"};
    Wording label{"Этикетка:", "Label:"};
    Wording margins{"Отступ слева, сверху:", "Left, top margin:"};
    Wording pitch{"Шаг по горизонтали, вертикали:", "Horizontal, vertical pitch:"};
    Wording count{"Этикеток:", "Labels:"};
    Wording skip{"Пропустить первые:", "Skip the first:"};
    Wording print{"Просмотр и печать…", "Preview and Print…"};
    Wording close{"Закрыть", "Close"};
    Wording noPrinter{"Принтер не установлен", "No printer is installed"};
    Wording cannotPrint{"Лист нельзя напечатать: ", "The sheet cannot be printed: "};
    Wording notStarted{"не удалось начать печать", "could not start printing"};
    Wording notPrinted{"Лист не напечатан: ", "The sheet was not printed: "};
    Wording nothingToOutput{"Нет штрихкода для вывода.", "There is no barcode to output."};
    Wording dualMarking{"Двойная маркировка: EAN-13/UPC-A того же GTIN рядом с QR",
                        "Dual marking: EAN-13/UPC-A of the same GTIN beside the QR"};
    Wording makersCode{"Код производителя:", "Maker's code:"};
    Wording searchHint{"Марка и артикул, например: avery l7160",
                       "Brand and part, such as avery l7160"};
    Wording noTemplates{
        "Листы по коду производителя (Avery L7160, Herma 4677 и другие) берутся "
        "из шаблонов пакета glabels-data (%1); он не установлен.",
        "Sheets by their maker's code (Avery L7160, Herma 4677 and others) come "
        "from the label templates of the glabels-data package (%1), which is not "
        "installed."};
    Wording notRectangles{
        "Этикетки не прямоугольные: код помещается в наибольший прямоугольник "
        "внутри этикетки, %1 × %2 мм.",
        "The labels are not rectangles: the barcode is placed in the largest "
        "rectangle inside the label, %1 × %2 mm."};
    Wording grids{
        "На листе несколько сеток этикеток (их: %1); поля показывают первую, этикетки "
        "считаются по сеткам.",
        "The sheet has %1 grids of labels; the fields show the first, and labels are "
        "counted grid by grid."};
};
constexpr DialogTexts kTexts{};

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* box = new QHBoxLayout;
    for (QWidget* w : widgets) {
        box->addWidget(w);
    }
    return box;
}

// The preview's Portrait and Landscape buttons show the orientation the sheet is printed in.
// A sheet of labels is laid out on the upright paper, so when painting set the page back
// upright, the buttons say so and no longer offer what would be ignored.
void showPrintedOrientation(QPrintPreviewDialog& dialog, QPageLayout::Orientation asked,
                            QPageLayout::Orientation printed) {
    if (asked == printed) {
        return;
    }
    const QString portrait = QCoreApplication::translate("QPrintPreviewDialog", "Portrait");
    const QString landscape = QCoreApplication::translate("QPrintPreviewDialog", "Landscape");
    for (QAction* action : dialog.findChildren<QAction*>()) {
        const bool isPortrait = action->text() == portrait;
        if (isPortrait || action->text() == landscape) {
            action->setChecked(isPortrait == (printed == QPageLayout::Portrait));
            action->setEnabled(false);
        }
    }
}

}  // namespace

SheetDialog::Preview SheetDialog::interactivePreview() {
    return [](QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(
            &dialog, &QPrintPreviewDialog::paintRequested, &dialog,
            [&dialog, &paint](QPrinter* target) {
                const QPageLayout::Orientation asked = target->pageLayout().orientation();
                paint(target);
                showPrintedOrientation(dialog, asked, target->pageLayout().orientation());
            });
        dialog.exec();
    };
}

SheetDialog::SheetDialog(const SymbolRequest& symbol, Language language, QWidget* parent,
                         Preview preview)
    : QDialog(parent),
      symbol_(symbol),
      language_(language),
      preview_(std::move(preview)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setFullPage(true);
    symbol_.output.fitPxPerMm = 0;  // whole dots of the device each sheet is drawn on
    setWindowTitle(text(kTexts.title));
    buildFields();
    layoutChosen();
    updateGrade();
}

// The symbol at the printer's own resolution: its grade, and whole-dot modules offered in one
// click when they would lift a grade below C.
void SheetDialog::updateGrade() {
    const ScanReport report = scanCheck(symbol_, printer_->resolution() / kMmPerInch);
    QString line = gradeText(report, noticeLanguage(language_));
    if (gradesBelowC(report) || !report.notices.empty()) {
        line += QLatin1Char('\n') + noticeSentences(symbol_, report, language_);
    }
    grade_->setText(line);
    grade_->setStyleSheet(gradesBelowC(report) ? QStringLiteral("color: #a00000") : QString());
    wholeDots_->setVisible(gradesBelowC(report) && wholeDotsRaise(report));
}

void SheetDialog::useWholeDots() {
    symbol_.output.fitDots = true;
    if (useWholeDots_) {
        useWholeDots_();
    }
    updateGrade();
    refresh();
}

SheetDialog::~SheetDialog() {
    if (kept_ == nullptr) {
        return;
    }
    Kept& k = *kept_;
    k.layout = layoutList_->currentIndex();
    k.paper = paperList_->currentIndex();
    k.columns = columns_->value();
    k.rows = rows_->value();
    for (int i = 0; i < 6; ++i) {
        k.mm[i] = mm_[i]->value();
    }
    k.run = run_->isChecked();
    k.count = count_->value();
    k.step = step_->value();
    k.skip = skip_->value();
    k.dualMarking = dualMarking_->isChecked();
}

void SheetDialog::keepChoicesIn(Kept& store) {
    kept_ = &store;
    if (store.layout >= 0) {
        restoreChoices(store);
    }
}

void SheetDialog::restoreChoices(const Kept& kept) {
    // A product found by its code is not in the list until it is found again.
    if (kept.layout < layoutList_->count()) {
        layoutList_->setCurrentIndex(kept.layout);
    }
    if (layoutList_->currentIndex() == static_cast<int>(builtInLayouts().size())) {  // Custom
        paperList_->setCurrentIndex(kept.paper);
        columns_->setValue(kept.columns);
        rows_->setValue(kept.rows);
        for (int i = 0; i < 6; ++i) {
            mm_[i]->setValue(kept.mm[i]);
        }
    }
    (kept.run ? run_ : copies_)->setChecked(true);
    skip_->setValue(kept.skip);
    step_->setValue(kept.step);
    count_->setValue(kept.count);
    dualMarking_->setChecked(kept.dualMarking && dualMarking_->isEnabled());
    refresh();
}

QString SheetDialog::text(const Wording& wording) const {
    return wording.in(language_);
}

void SheetDialog::buildFields() {
    auto* form = new QFormLayout;
    addProductRows(*form);
    addSheetRows(*form);
    addMeasureRows(*form);
    addLabelRows(*form);
    picture_ = new SheetPicture(this);
    fault_ = new QLabel(this);
    fault_->setObjectName(QStringLiteral("SheetFault"));
    fault_->setWordWrap(true);
    fault_->setStyleSheet(QStringLiteral("color: #c00000"));

    grade_ = new QLabel(this);
    grade_->setObjectName(QStringLiteral("SheetGrade"));
    grade_->setWordWrap(true);
    wholeDots_ = new QPushButton(text(kTexts.wholeDots), this);
    wholeDots_->setObjectName(QStringLiteral("SheetWholeDots"));
    connect(wholeDots_, &QPushButton::clicked, this, &SheetDialog::useWholeDots);
    auto* gradeRow = new QHBoxLayout;
    gradeRow->addWidget(grade_, 1);
    gradeRow->addWidget(wholeDots_);

    auto* sides = new QHBoxLayout;
    sides->addLayout(form);
    sides->addWidget(picture_);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(sides);
    whole->addLayout(gradeRow);
    whole->addWidget(fault_);
    whole->addWidget(buttonRow());
    connectFields();
}

// The label stock found by its maker's code, and what is to know about it.
void SheetDialog::addProductRows(QFormLayout& form) {
    products_ = new SheetProducts(
        readTemplateFolder(templateFolder()),
        [this](const LabelProduct& p) {
            QString entry = p.name() + QStringLiteral(" \u2014 ") + sheetTitle(p.layout, language_);
            return p.description.isEmpty() ? entry
                                           : entry + QStringLiteral(" \u2014 ") + p.description;
        },
        this);
    products_->setPlaceholder(text(kTexts.searchHint));
    productNote_ = new QLabel(this);
    productNote_->setObjectName(QStringLiteral("SheetProductNote"));
    productNote_->setWordWrap(true);
    form.addRow(text(kTexts.makersCode), products_);
    form.addRow(productNote_);
}

// The sheet: a built-in layout or Custom, the paper, and the grid.
void SheetDialog::addSheetRows(QFormLayout& form) {
    layoutList_ = new QComboBox(this);
    layoutList_->setObjectName(QStringLiteral("SheetLayoutList"));
    for (const NamedLayout& named : builtInLayouts()) {
        layoutList_->addItem(sheetTitle(named.layout, language_));
    }
    layoutList_->addItem(text(kTexts.custom));
    paperList_ = new QComboBox(this);
    paperList_->setObjectName(QStringLiteral("SheetPaper"));
    paperList_->addItems({QStringLiteral("A4"), QStringLiteral("Letter"), QString()});
    pageSetup_ = new QPushButton(text(kTexts.pageSetup), this);
    pageSetup_->setObjectName(QStringLiteral("SheetPageSetup"));
    columns_ = new QSpinBox(this);
    rows_ = new QSpinBox(this);
    for (QSpinBox* s : {columns_, rows_}) {
        s->setRange(1, 100);
    }
    form.addRow(text(kTexts.sheet), layoutList_);
    form.addRow(text(kTexts.paper), row({paperList_, pageSetup_}));
    form.addRow(text(kTexts.grid), row({columns_, rows_}));
}

// The label's size, the margins and the pitches, in millimetres.
void SheetDialog::addMeasureRows(QFormLayout& form) {
    for (QDoubleSpinBox*& field : mm_) {
        field = new QDoubleSpinBox(this);
        field->setRange(-50, 400);
        field->setDecimals(2);
        field->setSingleStep(0.1);
        field->setLocale(sheetLocale(language_));
        field->setSuffix(text(kTexts.mm));
    }
    form.addRow(text(kTexts.label), row({mm_[0], mm_[1]}));
    form.addRow(text(kTexts.margins), row({mm_[2], mm_[3]}));
    form.addRow(text(kTexts.pitch), row({mm_[4], mm_[5]}));
}

// How many labels, copies or a numbered run, and the labels skipped.
void SheetDialog::addLabelRows(QFormLayout& form) {
    copies_ = new QRadioButton(text(kTexts.copies), this);
    run_ = new QRadioButton(text(kTexts.run), this);
    run_->setObjectName(QStringLiteral("SheetRun"));
    copies_->setChecked(true);
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("SheetLabelCount"));
    count_->setRange(1, kMaxLabels);
    step_ = new QSpinBox(this);
    step_->setObjectName(QStringLiteral("SheetStep"));
    step_->setRange(1, 1000000);
    skip_ = new QSpinBox(this);
    skip_->setObjectName(QStringLiteral("SheetSkip"));
    skip_->setRange(0, 9999);
    form.addRow(text(kTexts.count), count_);
    form.addRow(copies_);
    form.addRow(run_, step_);
    form.addRow(text(kTexts.skip), skip_);
    // A QR with the linear symbol of its GTIN beside it, where the GTIN has one.
    dualMarking_ = new QCheckBox(text(kTexts.dualMarking), this);
    dualMarking_->setObjectName(QStringLiteral("SheetDualMarking"));
    const SheetFault noPartner = dualPartner(symbol_).fault;
    dualMarking_->setEnabled(!noPartner);
    QString reason = sheetFaultText(noPartner, language_);
    if (!reason.isEmpty()) {
        reason[0] = reason[0].toUpper();  // a sentence of its own, not after "cannot be printed:"
    }
    dualMarking_->setToolTip(reason);
    form.addRow(dualMarking_);
    dualMarking_->setVisible(symbol_.symbology == Symbology::GS1QR);
}

QDialogButtonBox* SheetDialog::buttonRow() {
    auto* buttons = new QDialogButtonBox(this);
    print_ = buttons->addButton(text(kTexts.print), QDialogButtonBox::AcceptRole);
    print_->setObjectName(QStringLiteral("SheetPrint"));
    buttons->addButton(text(kTexts.close), QDialogButtonBox::RejectRole);
    connect(print_, &QPushButton::clicked, this, &SheetDialog::previewAndPrint);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void SheetDialog::connectFields() {
    connect(layoutList_, &QComboBox::currentIndexChanged, this, &SheetDialog::layoutChosen);
    products_->chosenChanged = [this] { productChosen(); };
    connect(paperList_, &QComboBox::currentIndexChanged, this, &SheetDialog::refresh);
    connect(pageSetup_, &QPushButton::clicked, this, &SheetDialog::setUpPage);
    for (QSpinBox* s : {columns_, rows_, count_, step_, skip_}) {
        connect(s, &QSpinBox::valueChanged, this, &SheetDialog::refresh);
    }
    for (QDoubleSpinBox* field : mm_) {
        connect(field, &QDoubleSpinBox::valueChanged, this, &SheetDialog::refresh);
    }
    connect(run_, &QRadioButton::toggled, this, &SheetDialog::refresh);
    connect(dualMarking_, &QCheckBox::toggled, this, &SheetDialog::refresh);
}

// A product from the list becomes the layout list's last item, and the sheet.
void SheetDialog::productChosen() {
    const LabelProduct* chosen = products_->chosen();
    if (chosen == nullptr) {
        return;
    }
    product_ = *chosen;
    const int item = static_cast<int>(builtInLayouts().size()) + 1;
    const QString title = product_->name() + QStringLiteral(" (") +
                          sheetTitle(product_->layout, language_) + QLatin1Char(')');
    if (layoutList_->count() <= item) {
        layoutList_->addItem(title);
    } else {
        layoutList_->setItemText(item, title);
    }
    if (layoutList_->currentIndex() == item) {
        layoutChosen();
    } else {
        layoutList_->setCurrentIndex(item);
    }
}

// Where label stock by maker's code comes from when it is missing; what is special about the
// chosen product's labels.
void SheetDialog::showProductNote() {
    QStringList notes;
    if (!products_->available()) {
        notes << text(kTexts.noTemplates).arg(QLatin1String(kGlabelsTemplates));
    }
    const bool productShown =
        product_ && layoutList_->currentIndex() == static_cast<int>(builtInLayouts().size()) + 1;
    if (productShown && product_->layout.shape != LabelShape::Rectangle) {
        const QRectF area = product_->layout.symbolAreaMm();
        const QLocale locale = sheetLocale(language_);
        notes << text(kTexts.notRectangles)
                     .arg(locale.toString(area.width(), 'f', 1),
                          locale.toString(area.height(), 'f', 1));
    }
    if (productShown && !product_->layout.moreGrids.empty()) {
        notes << text(kTexts.grids).arg(product_->layout.moreGrids.size() + 1);
    }
    productNote_->setText(notes.join(u' '));
    productNote_->setVisible(!notes.isEmpty());
}

// A built-in layout or a maker's product fills the fields and locks them; Custom starts from
// the last one shown.
void SheetDialog::layoutChosen() {
    const size_t index = static_cast<size_t>(layoutList_->currentIndex());
    const bool fromProduct = product_ && index == builtInLayouts().size() + 1;
    const bool builtIn = index < builtInLayouts().size() || fromProduct;
    if (builtIn) {
        const SheetLayout& l = fromProduct ? product_->layout : builtInLayouts()[index].layout;
        const QSignalBlocker blocks[] = {QSignalBlocker(paperList_), QSignalBlocker(columns_),
                                         QSignalBlocker(rows_)};
        while (paperList_->count() > kTemplatePaper) {
            paperList_->removeItem(kTemplatePaper);
        }
        if (l.paper == SheetPaper::Other) {
            // A page the template measures but does not name is named by its size already.
            paperList_->addItem(l.pageName.contains(QChar(0x00D7)) ? l.pageName
                                                                   : pageText(l, language_));
        }
        paperList_->setCurrentIndex(l.paper == SheetPaper::Other    ? kTemplatePaper
                                    : l.paper == SheetPaper::Letter ? 1
                                                                    : 0);
        columns_->setValue(l.columns);
        rows_->setValue(l.rows);
        const double values[] = {l.labelMm.width(), l.labelMm.height(), l.leftMm,
                                 l.topMm,           l.hPitchMm,         l.vPitchMm};
        for (int i = 0; i < 6; ++i) {
            const QSignalBlocker block(mm_[i]);
            mm_[i]->setValue(values[i]);
        }
        count_->setValue(std::max(l.labelsPerPage() - skip_->value(), 1));
    } else {
        const QSignalBlocker block(paperList_);
        if (paperList_->currentIndex() >= kTemplatePaper) {
            paperList_->setCurrentIndex(0);
        }
        while (paperList_->count() > kTemplatePaper) {
            paperList_->removeItem(kTemplatePaper);
        }
    }
    showProductNote();
    for (QWidget* w : std::initializer_list<QWidget*>{paperList_, columns_, rows_}) {
        w->setEnabled(!builtIn);
    }
    // Qt sets up the page of an installed printer only; without one the page is the PDF's.
    const bool installed = printer_->outputFormat() == QPrinter::NativeFormat;
    pageSetup_->setEnabled(!builtIn && installed);
    pageSetup_->setToolTip(installed ? QString() : text(kTexts.noPrinter));
    for (QDoubleSpinBox* field : mm_) {
        field->setEnabled(!builtIn);
    }
    refresh();
}

// The printer's own page dialog; the layout is then checked against the page it sets.
void SheetDialog::setUpPage() {
    QPageSetupDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted) {
        refresh();
        updateGrade();  // the printer's resolution may have changed with it
    }
}

SheetLayout SheetDialog::fieldsLayout() const {
    const size_t index = static_cast<size_t>(layoutList_->currentIndex());
    if (index < builtInLayouts().size()) {
        return builtInLayouts()[index].layout;
    }
    if (product_ && index == builtInLayouts().size() + 1) {
        return product_->layout;
    }
    const SheetPaper papers[] = {SheetPaper::A4, SheetPaper::Letter, SheetPaper::Printer};
    SheetLayout layout{papers[std::clamp(paperList_->currentIndex(), 0, kPrinterPaper)],
                       columns_->value(),
                       rows_->value(),
                       QSizeF(mm_[0]->value(), mm_[1]->value()),
                       mm_[2]->value(),
                       mm_[3]->value(),
                       mm_[4]->value(),
                       mm_[5]->value()};
    return onPrinterPage(layout, *printer_);
}

SheetDialog::Choice SheetDialog::choice() const {
    Choice c;
    c.content.layout = fieldsLayout();
    c.content.skip = skip_->value();
    c.content.dualMarking = dualMarking_->isChecked() && dualMarking_->isEnabled();
    c.fault = layoutFault(c.content.layout);
    const int perPage = c.content.layout.labelsPerPage();
    if (!c.fault && c.content.skip >= perPage) {
        c.fault = sheetFault(SheetFault::Kind::TooManySkipped,
                             {faultCount(perPage), faultCount(c.content.skip)});
    }
    if (c.fault) {
        return c;
    }
    SheetLabels labels =
        sheetLabels(symbol_, count_->value(), run_->isChecked() ? step_->value() : 0);
    c.content.labels = std::move(labels.labels);
    c.fault = labels.fault ? labels.fault : symbolsFitFault(c.content, kCheckDpi / kMmPerInch);
    return c;
}

void SheetDialog::refresh() {
    SheetLayout printerPage;
    printerPage.paper = SheetPaper::Printer;
    paperList_->setItemText(kPrinterPaper,
                            printerPageItem(onPrinterPage(printerPage, *printer_), language_));
    const Choice c = choice();
    const int perPage = c.content.layout.labelsPerPage();
    const int filled = std::min(count_->value(), std::max(perPage - c.content.skip, 0));
    picture_->show(c.content.layout, c.content.skip, filled, !c.fault);
    fault_->setText(c.fault ? text(kTexts.cannotPrint) + sheetFaultText(c.fault, language_)
                            : QString());
    print_->setEnabled(!c.fault);
}

void SheetDialog::previewAndPrint() {
    const Choice c = choice();
    if (c.fault) {
        return;
    }
    QString failure;
    preview_(this, *printer_, [&](QPrinter* target) {
        // The preview's own page setup, or the printer chosen at last, may change the page and
        // the resolution: the sheet is checked again on what it is printed on.
        SheetContent content = c.content;
        content.layout = onPrinterPage(content.layout, *target);
        SheetFault fault = layoutFault(content.layout);
        if (!fault) {
            fault = symbolsFitFault(content, target->resolution() / kMmPerInch);
        }
        if (fault) {
            failure = sheetFaultText(fault, language_);
            return;
        }
        if (printSheet(*target, content) == PrintOutcome::NotStarted) {
            failure = text(kTexts.notStarted);
        }
    });
    refresh();  // the printer's page may have been set up anew
    if (!failure.isEmpty()) {
        fault_->setText(text(kTexts.notPrinted) + failure);
    }
}

void printSheetOf(const CommandContext& context, const CommandDialogs& dialogs) {
    if (!context.symbol || !measureSymbol(*context.symbol, 1.0, 1.0)) {
        dialogs.warn(context.parent, kTexts.nothingToOutput.in(context.language));
        return;
    }
    static SheetDialog::Kept kept;
    SheetDialog dialog(*context.symbol, context.language, context.parent);
    dialog.keepChoicesIn(kept);
    dialog.setUseWholeDots(context.useWholeDots);
    dialog.exec();
}

}  // namespace strikon
