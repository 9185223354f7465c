#include "app/input/size_spin_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include "tests/app/input/beep_counter.h"

namespace strikon {
namespace {

// Reaches the style option, to find where the arrow buttons are drawn.
class ProbedSpinBox : public SizeSpinBox {
  public:
    QPoint buttonCentre(QStyle::SubControl button) {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_SpinBox, &option, button, this).center();
    }
};

TEST(SizeSpinBoxTest, StartsAtOneHundredInTheEanUpcRange) {
    const SizeSpinBox spin;
    EXPECT_EQ(spin.minimum(), 80);
    EXPECT_EQ(spin.maximum(), 200);
    EXPECT_EQ(spin.singleStep(), 5);
    EXPECT_EQ(spin.value(), 100);
}

TEST(SizeSpinBoxTest, KeysStepByFiveAndStopAtTheLimits) {
    struct Row {
        int minimum;
        int maximum;
    };
    for (const Row row : {Row{80, 200}, Row{25, 100}}) {
        SCOPED_TRACE(row.maximum);
        SizeSpinBox spin;
        spin.configure(row.minimum, row.maximum);
        QSignalSpy changed(&spin, &QSpinBox::valueChanged);
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(&spin, Qt::Key_Up);
            EXPECT_EQ(spin.value() % 5, 0);
        }
        EXPECT_EQ(spin.value(), row.maximum);
        EXPECT_EQ(changed.count(), (row.maximum - 100) / 5);
        changed.clear();
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(&spin, Qt::Key_Down);
        }
        EXPECT_EQ(spin.value(), row.minimum);
        EXPECT_EQ(changed.count(), (row.maximum - row.minimum) / 5);
    }
}

TEST(SizeSpinBoxTest, ArrowButtonsStepAndStayAtTheLimits) {
    ProbedSpinBox spin;
    spin.resize(80, 24);
    spin.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&spin));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, spin.buttonCentre(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(spin.value(), 105);

    spin.setValue(200);
    QSignalSpy changed(&spin, &QSpinBox::valueChanged);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, spin.buttonCentre(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(spin.value(), 200);
    spin.setValue(80);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, spin.buttonCentre(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(spin.value(), 80);
    EXPECT_EQ(changed.count(), 1);  // only the setValue(80)
}

TEST(SizeSpinBoxTest, TypingPastingAndCuttingAreRefused) {
    BeepCounter beeps;
    SizeSpinBox spin;
    QSignalSpy changed(&spin, &QSpinBox::valueChanged);
    QTest::keyClicks(&spin, "150x");
    EXPECT_EQ(beeps.count(), 4);
    QTest::keyClick(&spin, Qt::Key_Backspace);
    QTest::keyClick(&spin, Qt::Key_Delete);
    QApplication::clipboard()->setText("150");
    QTest::keyClick(&spin, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&spin, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(beeps.count(), 8);
    EXPECT_EQ(spin.value(), 100);
    EXPECT_EQ(spin.text(), "100");
    EXPECT_EQ(changed.count(), 0);
}

TEST(SizeSpinBoxTest, ATextThatIsNoIntegerReadsAsTheMinimum) {
    SizeSpinBox spin;
    EXPECT_EQ(spin.valueFromText("150"), 150);
    EXPECT_EQ(spin.valueFromText("abc"), 80);
    EXPECT_EQ(spin.valueFromText("12.5"), 80);
    spin.configure(25, 100);
    EXPECT_EQ(spin.valueFromText(""), 25);
    spin.setSuffix(" %");
    EXPECT_EQ(spin.valueFromText("60 %"), 60);
}

}  // namespace
}  // namespace strikon
