#pragma once
// A size in percent that is only ever stepped: the arrow buttons, the Up and Down keys and the
// wheel add or subtract the step (5), clamped to the range; the number cannot be typed, pasted,
// cut or deleted, and such keys are refused with strikon::beep(). valueChanged(int) is emitted
// for every change of the value and only then.

#include <QSpinBox>

namespace strikon {

class SizeSpinBox : public QSpinBox {
    Q_OBJECT
  public:
    static constexpr int kStep = 5;
    static constexpr int kStartValue = 100;

    // Starts as the EAN/UPC size: 80 to 200, step 5, value 100.
    explicit SizeSpinBox(QWidget* parent = nullptr);

    // Sets the range, the step and the start value of 100 (clamped to the range).
    void configure(int minimum, int maximum, int step = kStep);

    // The integer shown; a text that is no integer reads as the range's minimum.
    int valueFromText(const QString& text) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace strikon
