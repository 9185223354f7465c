#pragma once
// File → Output Settings…: the print-grade options and the resolution of Save As, Copy and
// Export. Every change takes effect at once (the window repaints its preview behind the
// dialog); Close keeps what was set, for the rest of the run.

#include <QDialog>
#include <functional>
#include <optional>

#include "app/output_settings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace strikon {

class OutputSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    using Changed = std::function<void(const OutputSettings&)>;
    using CurrentSymbol = std::function<std::optional<SymbolRequest>()>;

    OutputSettingsDialog(QWidget* parent, const OutputSettings& initial, Language language,
                         CurrentSymbol symbol, Changed changed);

    OutputSettings settings() const { return settings_; }

    // For tests: the controls by what they set.
    QDoubleSpinBox* reductionBox() const { return reduction_; }
    QCheckBox* fitBox() const { return fit_; }
    QCheckBox* marksBox() const { return marks_; }
    QCheckBox* bilevelBox() const { return bilevel_; }
    QComboBox* dpiBox() const { return dpi_; }
    QLabel* reductionNote() const { return reductionNote_; }
    QLabel* fitNote() const { return fitNote_; }
    QDoubleSpinBox* spreadBox() const { return spread_; }
    QLabel* gradeNote() const { return gradeNote_; }

  private:
    void read();
    void updateNotes();

    OutputSettings settings_;
    Language language_;
    CurrentSymbol symbol_;
    Changed changed_;
    QDoubleSpinBox* reduction_ = nullptr;
    QCheckBox* fit_ = nullptr;
    QCheckBox* marks_ = nullptr;
    QCheckBox* bilevel_ = nullptr;
    QComboBox* dpi_ = nullptr;
    QLabel* reductionNote_ = nullptr;
    QLabel* fitNote_ = nullptr;
    QDoubleSpinBox* spread_ = nullptr;
    QLabel* gradeNote_ = nullptr;
};

}  // namespace strikon
