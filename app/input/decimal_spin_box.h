#pragma once
// A spin box for a decimal value (millimetres) that reads what people type: the point or the
// comma as the decimal separator whatever the locale shows, and a value past the range held at
// the nearest limit instead of being refused or reset.

#include <QDoubleSpinBox>
#include <optional>

namespace strikon {

class DecimalSpinBox : public QDoubleSpinBox {
  public:
    explicit DecimalSpinBox(QWidget* parent = nullptr);

    QValidator::State validate(QString& text, int& pos) const override;
    double valueFromText(const QString& text) const override;
    void fixup(QString& text) const override;

  private:
    // The number in `text` (prefix and suffix dropped, either separator), if it is one.
    std::optional<double> number(const QString& text) const;
};

}  // namespace strikon
