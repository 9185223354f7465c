#include "app/output_settings_dialog.h"

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

namespace strikon {

namespace {

QString text(bool russian, const char* ru, const char* en) {
    return QString::fromUtf8(russian ? ru : en);
}

}  // namespace

OutputSettingsDialog::OutputSettingsDialog(QWidget* parent, const OutputSettings& initial,
                                           bool russian, CurrentSymbol symbol, Changed changed)
    : QDialog(parent),
      settings_(initial),
      russian_(russian),
      symbol_(std::move(symbol)),
      changed_(std::move(changed)) {
    setWindowTitle(text(russian, "Параметры вывода", "Output Settings"));
    auto* form = new QFormLayout;

    reduction_ = new QDoubleSpinBox(this);
    reduction_->setLocale(russian ? QLocale(QLocale::Russian) : QLocale(QLocale::C));
    reduction_->setRange(0.0, kMaxBarReductionMm);
    reduction_->setDecimals(3);
    reduction_->setSingleStep(0.005);
    reduction_->setSuffix(text(russian, " мм", " mm"));
    reduction_->setValue(initial.options.barReductionMm);
    reductionNote_ = new QLabel(this);
    form->addRow(text(russian, "Уменьшение ширины штрихов:", "Bar width reduction:"), reduction_);
    form->addRow(QString(), reductionNote_);

    fit_ = new QCheckBox(text(russian, "Модуль в целых точках вывода", "Whole-dot modules"), this);
    fit_->setChecked(initial.options.fitDots);
    fitNote_ = new QLabel(this);
    form->addRow(fit_);
    form->addRow(QString(), fitNote_);

    marks_ = new QCheckBox(
        text(russian, "Знаки границ свободных зон (< >)", "Quiet-zone marks (< >)"), this);
    marks_->setChecked(initial.options.quietZoneMarks);
    form->addRow(marks_);

    bilevel_ = new QCheckBox(text(russian, "Двухцветный (1 бит, для термопринтеров этикеток)",
                                  "Bilevel (1-bit, for label printers)"),
                             this);
    bilevel_->setChecked(initial.options.bilevel);
    form->addRow(bilevel_);

    dpi_ = new QComboBox(this);
    for (const int dpi : kOutputDpis) {
        dpi_->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    }
    dpi_->setCurrentIndex(std::max(0, dpi_->findData(initial.dpi)));
    form->addRow(text(russian, "Разрешение сохранения, копирования и экспорта:",
                      "Resolution of Save As, Copy and Export:"),
                 dpi_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(text(russian, "Закрыть", "Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(reduction_, &QDoubleSpinBox::valueChanged, this, &OutputSettingsDialog::read);
    connect(fit_, &QCheckBox::toggled, this, &OutputSettingsDialog::read);
    connect(marks_, &QCheckBox::toggled, this, &OutputSettingsDialog::read);
    connect(bilevel_, &QCheckBox::toggled, this, &OutputSettingsDialog::read);
    connect(dpi_, &QComboBox::currentIndexChanged, this, &OutputSettingsDialog::read);
    updateNotes();
}

void OutputSettingsDialog::read() {
    settings_.options.barReductionMm = reduction_->value();
    settings_.options.fitDots = fit_->isChecked();
    settings_.options.quietZoneMarks = marks_->isChecked();
    settings_.options.bilevel = bilevel_->isChecked();
    settings_.dpi = dpi_->currentData().toInt();
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
        return;
    }
    symbol->output = settings_.options;
    reductionNote_->setText(reductionCaption(*symbol, settings_.dpi, russian_));
    fitNote_->setText(fitCaption(*symbol, settings_.dpi, russian_));
}

}  // namespace strikon
