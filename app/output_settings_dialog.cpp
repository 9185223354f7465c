#include "app/output_settings_dialog.h"

#include "app/input/decimal_spin_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/scan_notices.h"
#include "render/symbol_image.h"

namespace strikon {

namespace {

struct DialogTexts {
    Wording title{"Параметры вывода", "Output Settings"};
    Wording mm{" мм", " mm"};
    Wording reduction{"Уменьшение ширины штрихов:", "Bar width reduction:"};
    Wording fit{"Модуль в целых точках вывода", "Whole-dot modules"};
    Wording marks{"Знаки границ свободных зон (< >)", "Quiet-zone marks (< >)"};
    Wording bilevel{"Двухцветный (1 бит, для термопринтеров этикеток)",
                    "Bilevel (1-bit, for label printers)"};
    Wording dpi{"Разрешение сохранения, копирования и экспорта:",
                "Resolution of Save As, Copy and Export:"};
    Wording close{"Закрыть", "Close"};
    Wording spread{"Растекание краски в печати:", "Ink spread of the press:"};
    Wording grade{"Класс (ISO/IEC 15416):", "Grade (ISO/IEC 15416):"};
};
constexpr DialogTexts kTexts{};

}  // namespace

OutputSettingsDialog::OutputSettingsDialog(QWidget* parent, const OutputSettings& initial,
                                           Language language, CurrentSymbol symbol, Changed changed)
    : QDialog(parent),
      settings_(initial),
      language_(language),
      symbol_(std::move(symbol)),
      changed_(std::move(changed)) {
    setWindowTitle(kTexts.title.in(language));
    auto* form = new QFormLayout;

    // Either decimal separator, and a value past 0.100 mm held there.
    reduction_ = new DecimalSpinBox(this);
    reduction_->setLocale(language == Language::Russian ? QLocale(QLocale::Russian)
                                                        : QLocale(QLocale::C));
    reduction_->setRange(0.0, kMaxBarReductionMm);
    reduction_->setDecimals(3);
    reduction_->setSingleStep(0.005);
    reduction_->setSuffix(kTexts.mm.in(language));
    reduction_->setValue(initial.options.barReductionMm);
    reductionNote_ = new QLabel(this);
    form->addRow(kTexts.reduction.in(language), reduction_);
    form->addRow(QString(), reductionNote_);

    fit_ = new QCheckBox(kTexts.fit.in(language), this);
    fit_->setChecked(initial.options.fitDots);
    fitNote_ = new QLabel(this);
    form->addRow(fit_);
    form->addRow(QString(), fitNote_);

    marks_ = new QCheckBox(kTexts.marks.in(language), this);
    marks_->setChecked(initial.options.quietZoneMarks);
    form->addRow(marks_);

    bilevel_ = new QCheckBox(kTexts.bilevel.in(language), this);
    bilevel_->setChecked(initial.options.bilevel);
    form->addRow(bilevel_);

    dpi_ = new QComboBox(this);
    for (const int dpi : kOutputDpis) {
        dpi_->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    }
    dpi_->setCurrentIndex(std::max(0, dpi_->findData(initial.dpi)));
    form->addRow(kTexts.dpi.in(language), dpi_);

    spread_ = new QDoubleSpinBox(this);
    spread_->setLocale(reduction_->locale());
    spread_->setRange(0.0, kMaxInkSpreadMm);
    spread_->setDecimals(3);
    spread_->setSingleStep(0.005);
    spread_->setSuffix(kTexts.mm.in(language));
    spread_->setValue(initial.inkSpreadMm);
    form->addRow(kTexts.spread.in(language), spread_);
    gradeNote_ = new QLabel(this);
    gradeNote_->setObjectName(QStringLiteral("OutputGrade"));
    gradeNote_->setWordWrap(true);
    form->addRow(kTexts.grade.in(language), gradeNote_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(kTexts.close.in(language));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(reduction_, &QDoubleSpinBox::valueChanged, this, &OutputSettingsDialog::read);
    connect(fit_, &QCheckBox::toggled, this, &OutputSettingsDialog::read);
    connect(marks_, &QCheckBox::toggled, this, &OutputSettingsDialog::read);
    connect(bilevel_, &QCheckBox::toggled, this, &OutputSettingsDialog::read);
    connect(dpi_, &QComboBox::currentIndexChanged, this, &OutputSettingsDialog::read);
    connect(spread_, &QDoubleSpinBox::valueChanged, this, &OutputSettingsDialog::read);
    updateNotes();
}

void OutputSettingsDialog::read() {
    settings_.options.barReductionMm = reduction_->value();
    settings_.options.fitDots = fit_->isChecked();
    settings_.options.quietZoneMarks = marks_->isChecked();
    settings_.options.bilevel = bilevel_->isChecked();
    settings_.dpi = dpi_->currentData().toInt();
    settings_.inkSpreadMm = spread_->value();
    updateNotes();
    if (changed_) {
        changed_(settings_);
    }
}

void OutputSettingsDialog::updateNotes() {
    std::optional<SymbolRequest> symbol = symbol_ ? symbol_() : std::nullopt;
    if (!symbol) {
        reductionNote_->clear();
        fitNote_->clear();
        gradeNote_->clear();
        return;
    }
    symbol->output = settings_.options;
    reductionNote_->setText(reductionCaption(*symbol, settings_.dpi, language_));
    fitNote_->setText(fitCaption(*symbol, settings_.dpi, language_));
    const ScanReport report = scanCheck(*symbol, settings_.dpi / kMmPerInch, settings_.inkSpreadMm);
    gradeNote_->setText(gradeLine(*symbol, report, language_));
    gradeNote_->setStyleSheet(gradesBelowC(report) ? QStringLiteral("color: #a00000") : QString());
}

}  // namespace strikon
