#include "app/sheet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "app/sheet_picture.h"
#include "render/symbol_image.h"

namespace strikon {

namespace {

// Sizes are checked against their labels at the finest resolution a printer is set to here,
// and again at the chosen printer's own.
constexpr double kCheckDpi = 1200;
constexpr int kMaxLabels = 16000;

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* box = new QHBoxLayout;
    for (QWidget* w : widgets) {
        box->addWidget(w);
    }
    return box;
}

}  // namespace

SheetDialog::Preview SheetDialog::interactivePreview() {
    return [](QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
        dialog.exec();
    };
}

SheetDialog::SheetDialog(const SymbolRequest& symbol, bool russian, QWidget* parent,
                         Preview preview)
    : QDialog(parent), symbol_(symbol), russian_(russian), preview_(std::move(preview)) {
    setWindowTitle(text("Печать листа", "Print Sheet"));
    buildFields();
    layoutChosen();
}

QString SheetDialog::text(const char* russian, const char* english) const {
    return QString::fromUtf8(russian_ ? russian : english);
}

void SheetDialog::buildFields() {
    layoutList_ = new QComboBox(this);
    layoutList_->setObjectName(QStringLiteral("SheetLayoutList"));
    for (const NamedLayout& named : builtInLayouts()) {
        layoutList_->addItem(named.title);
    }
    layoutList_->addItem(text("Свой", "Custom"));
    paperList_ = new QComboBox(this);
    paperList_->addItems({QStringLiteral("A4"), QStringLiteral("Letter")});
    columns_ = new QSpinBox(this);
    rows_ = new QSpinBox(this);
    for (QSpinBox* s : {columns_, rows_}) {
        s->setRange(1, 100);
    }
    for (QDoubleSpinBox*& field : mm_) {
        field = new QDoubleSpinBox(this);
        field->setRange(-50, 400);
        field->setDecimals(2);
        field->setSingleStep(0.1);
        field->setSuffix(QStringLiteral(" mm"));
    }
    copies_ = new QRadioButton(text("Копии", "Copies"), this);
    run_ = new QRadioButton(text("Нумерованный ряд, шаг:", "Numbered run, step:"), this);
    copies_->setChecked(true);
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("SheetLabelCount"));
    count_->setRange(1, kMaxLabels);
    step_ = new QSpinBox(this);
    step_->setRange(1, 1000000);
    skip_ = new QSpinBox(this);
    skip_->setObjectName(QStringLiteral("SheetSkip"));
    skip_->setRange(0, 9999);
    picture_ = new SheetPicture(this);
    fault_ = new QLabel(this);
    fault_->setObjectName(QStringLiteral("SheetFault"));
    fault_->setWordWrap(true);
    fault_->setStyleSheet(QStringLiteral("color: #c00000"));

    auto* form = new QFormLayout;
    form->addRow(text("Лист:", "Sheet:"), layoutList_);
    form->addRow(text("Бумага:", "Paper:"), paperList_);
    form->addRow(text("Столбцы × строки:", "Columns × rows:"), row({columns_, rows_}));
    form->addRow(text("Этикетка:", "Label:"), row({mm_[0], mm_[1]}));
    form->addRow(text("Отступ слева, сверху:", "Left, top margin:"), row({mm_[2], mm_[3]}));
    form->addRow(text("Шаг по горизонтали, вертикали:", "Horizontal, vertical pitch:"),
                 row({mm_[4], mm_[5]}));
    form->addRow(text("Этикеток:", "Labels:"), count_);
    form->addRow(copies_);
    form->addRow(run_, step_);
    form->addRow(text("Пропустить первые:", "Skip the first:"), skip_);

    auto* buttons = new QDialogButtonBox(this);
    print_ = buttons->addButton(text("Просмотр и печать…", "Preview and Print…"),
                                QDialogButtonBox::AcceptRole);
    print_->setObjectName(QStringLiteral("SheetPrint"));
    buttons->addButton(text("Закрыть", "Close"), QDialogButtonBox::RejectRole);
    connect(print_, &QPushButton::clicked, this, &SheetDialog::previewAndPrint);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* sides = new QHBoxLayout;
    sides->addLayout(form);
    sides->addWidget(picture_);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(sides);
    whole->addWidget(fault_);
    whole->addWidget(buttons);

    connect(layoutList_, &QComboBox::currentIndexChanged, this, &SheetDialog::layoutChosen);
    connect(paperList_, &QComboBox::currentIndexChanged, this, &SheetDialog::refresh);
    for (QSpinBox* s : {columns_, rows_, count_, step_, skip_}) {
        connect(s, &QSpinBox::valueChanged, this, &SheetDialog::refresh);
    }
    for (QDoubleSpinBox* field : mm_) {
        connect(field, &QDoubleSpinBox::valueChanged, this, &SheetDialog::refresh);
    }
    connect(run_, &QRadioButton::toggled, this, &SheetDialog::refresh);
}

// A built-in layout fills the fields and locks them; Custom starts from the last one shown.
void SheetDialog::layoutChosen() {
    const size_t index = static_cast<size_t>(layoutList_->currentIndex());
    const bool builtIn = index < builtInLayouts().size();
    if (builtIn) {
        const SheetLayout& l = builtInLayouts()[index].layout;
        const QSignalBlocker blocks[] = {QSignalBlocker(paperList_), QSignalBlocker(columns_),
                                         QSignalBlocker(rows_)};
        paperList_->setCurrentIndex(l.paper == SheetPaper::Letter ? 1 : 0);
        columns_->setValue(l.columns);
        rows_->setValue(l.rows);
        const double values[] = {l.labelMm.width(), l.labelMm.height(), l.leftMm,
                                 l.topMm,           l.hPitchMm,         l.vPitchMm};
        for (int i = 0; i < 6; ++i) {
            const QSignalBlocker block(mm_[i]);
            mm_[i]->setValue(values[i]);
        }
        count_->setValue(l.labelsPerPage() - skip_->value());
    }
    for (QWidget* w : std::initializer_list<QWidget*>{paperList_, columns_, rows_}) {
        w->setEnabled(!builtIn);
    }
    for (QDoubleSpinBox* field : mm_) {
        field->setEnabled(!builtIn);
    }
    refresh();
}

SheetLayout SheetDialog::fieldsLayout() const {
    const size_t index = static_cast<size_t>(layoutList_->currentIndex());
    if (index < builtInLayouts().size()) {
        return builtInLayouts()[index].layout;
    }
    return {paperList_->currentIndex() == 1 ? SheetPaper::Letter : SheetPaper::A4,
            columns_->value(),
            rows_->value(),
            QSizeF(mm_[0]->value(), mm_[1]->value()),
            mm_[2]->value(),
            mm_[3]->value(),
            mm_[4]->value(),
            mm_[5]->value()};
}

SheetDialog::Choice SheetDialog::choice() const {
    Choice c;
    c.content.layout = fieldsLayout();
    c.content.skip = skip_->value();
    c.error = checkLayout(c.content.layout);
    if (c.error.isEmpty() && c.content.skip >= c.content.layout.labelsPerPage()) {
        c.error = QStringLiteral("a sheet of %1 labels cannot skip %2")
                      .arg(c.content.layout.labelsPerPage())
                      .arg(c.content.skip);
    }
    if (!c.error.isEmpty()) {
        return c;
    }
    SheetLabels labels =
        sheetLabels(symbol_, count_->value(), run_->isChecked() ? step_->value() : 0);
    c.content.labels = std::move(labels.labels);
    c.error = labels.error;
    if (c.error.isEmpty()) {
        c.error = checkSymbolsFit(c.content, kCheckDpi / kMmPerInch);
    }
    return c;
}

void SheetDialog::refresh() {
    const Choice c = choice();
    const int perPage = c.content.layout.labelsPerPage();
    const int filled = std::min(count_->value(), std::max(perPage - c.content.skip, 0));
    picture_->show(c.content.layout, c.content.skip, filled, c.error.isEmpty());
    // The layout's own rules come from the render core in English; the lead is translated.
    fault_->setText(c.error.isEmpty()
                        ? QString()
                        : text("Лист нельзя напечатать: ", "The sheet cannot be printed: ") +
                              c.error);
    print_->setEnabled(c.error.isEmpty());
}

void SheetDialog::previewAndPrint() {
    const Choice c = choice();
    if (!c.error.isEmpty()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QString failure;
    preview_(this, printer, [&](QPrinter* target) {
        const QString fault = checkSymbolsFit(c.content, target->resolution() / kMmPerInch);
        if (!fault.isEmpty()) {
            failure = fault;
            return;
        }
        if (printSheet(*target, c.content) == PrintOutcome::NotStarted) {
            failure = text("не удалось начать печать", "could not start printing");
        }
    });
    if (!failure.isEmpty()) {
        fault_->setText(text("Лист не напечатан: ", "The sheet was not printed: ") + failure);
    }
}

void printSheetOf(const CommandContext& context, const CommandDialogs& dialogs) {
    if (!context.symbol || !measureSymbol(*context.symbol, 1.0, 1.0)) {
        dialogs.warn(context.parent,
                     QString::fromUtf8(context.russian ? "Нет штрихкода для вывода."
                                                       : "There is no barcode to output."));
        return;
    }
    SheetDialog dialog(*context.symbol, context.russian, context.parent);
    dialog.exec();
}

}  // namespace strikon
