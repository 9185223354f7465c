#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "app/current_lang.h"

#include "app/main_form.h"
#include "tests/app/input/beep_counter.h"
#include "ui_main_form.h"

namespace strikon {
namespace {

// Counts the paint events the preview receives, i.e. its repaints.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

class MainFormInput : public ::testing::Test {
  protected:
    void SetUp() override {
        form.setScaleOverride(ScreenScale{4.0, 4.0});
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    Ui::TMainForm& ui() { return form.controls(); }
    void chooseCodeType(const QString& type) { ui().EANUPC_CodeType->setCurrentText(type); }
    void chooseAddOnType(const QString& type) { ui().EANUPC_AddOnType->setCurrentText(type); }
    // The page's main digits followed by the add-on field's, shown or not.
    std::string handedOn() {
        const SymbolRequest request = form.currentSymbol().value();
        return request.digits + request.addOnDigits;
    }

    TMainForm form;
};

TEST_F(MainFormInput, CheckDigitButtonPerCodeType) {
    struct Case {
        const char* codeType;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"EAN-13", "1 234567 890120", "1 234567 890128"},
        {"EAN-8", "1234 5678", "1234 5670"},
        {"UPC-A", "0 12345 67890 0", "0 12345 67890 5"},
        // Over the expanded UPC-A form 065100004321, as a scanner checks it (not 1).
        {"UPC-E", "0 654321 0", "0 654321 7"},
    };
    for (const Case& c : cases) {
        chooseCodeType(c.codeType);
        ui().EANUPC_CodeValue->setText(c.typed);
        QTest::mouseClick(ui().CheckDigitButton, Qt::LeftButton);
        EXPECT_EQ(ui().EANUPC_CodeValue->displayText(), c.expected) << c.codeType;
    }
    ui().PageControl->setCurrentIndex(1);
    ui().ITF14_CodeValue->setText("10012345678900");
    QTest::mouseClick(ui().ITF14CheckDigitButton, Qt::LeftButton);
    EXPECT_EQ(ui().ITF14_CodeValue->displayText(), "10012345678902");
}

TEST_F(MainFormInput, CorrectCheckDigitRepaintsNothing) {
    PaintCounter repaints(ui().PaintBox);
    QTest::mouseClick(ui().CheckDigitButton, Qt::LeftButton);
    EXPECT_EQ(ui().EANUPC_CodeValue->displayText(), "0 000000 000000");
    EXPECT_EQ(repaints.count, 0);

    ui().EANUPC_CodeValue->setText("4 006381 333930");
    repaints.count = 0;
    QTest::mouseClick(ui().CheckDigitButton, Qt::LeftButton);
    EXPECT_EQ(ui().EANUPC_CodeValue->displayText(), "4 006381 333931");
    EXPECT_EQ(repaints.count, 1) << "the field's change repaints once";
}

TEST_F(MainFormInput, CodeTypeInstallsMaskAndDefaultText) {
    ui().EANUPC_CodeValue->setText("4 006381 333931");
    chooseCodeType("UPC-A");
    EXPECT_EQ(ui().EANUPC_CodeValue->displayText(), "0 00000 00000 0");
    chooseCodeType("UPC-E");
    EXPECT_EQ(ui().EANUPC_CodeValue->displayText(), "0 000000 0");
    chooseCodeType("EAN-8");
    EXPECT_EQ(ui().EANUPC_CodeValue->displayText(), "0000 0000");
    EXPECT_EQ(handedOn().substr(0, 8), "00000000");
}

TEST_F(MainFormInput, AddOnRowSurvivesTheTripThroughEan8) {
    chooseAddOnType("5-Digit");
    ui().EANUPC_AddOnValue->setText("52495");
    chooseCodeType("EAN-8");
    EXPECT_TRUE(ui().AddOnLabel->isHidden());
    EXPECT_TRUE(ui().EANUPC_AddOnType->isHidden());
    EXPECT_TRUE(ui().EANUPC_AddOnValue->isHidden());
    chooseCodeType("EAN-13");
    EXPECT_FALSE(ui().AddOnLabel->isHidden());
    EXPECT_FALSE(ui().EANUPC_AddOnType->isHidden());
    EXPECT_EQ(ui().EANUPC_AddOnType->currentText(), "5-Digit");
    EXPECT_FALSE(ui().EANUPC_AddOnValue->isHidden());
    EXPECT_EQ(ui().EANUPC_AddOnValue->displayText(), "52495");
}

TEST_F(MainFormInput, NoneKeepsDigitsUntilAnotherAddOnIsChosen) {
    chooseAddOnType("5-Digit");
    ui().EANUPC_AddOnValue->setText("12345");
    chooseAddOnType("None");
    EXPECT_TRUE(ui().EANUPC_AddOnValue->isHidden());
    EXPECT_EQ(ui().EANUPC_AddOnValue->displayText(), "12345");
    EXPECT_EQ(handedOn(), "000000000000012345") << "still handed on";
    chooseAddOnType("2-Digit");
    EXPECT_FALSE(ui().EANUPC_AddOnValue->isHidden());
    EXPECT_EQ(ui().EANUPC_AddOnValue->displayText(), "00");
    // With "2-Digit" then "None" the two digits are still appended.
    chooseAddOnType("None");
    EXPECT_EQ(handedOn().size(), 15u);
}

TEST_F(MainFormInput, TypedListTextsActLikeItems) {
    ui().EANUPC_CodeValue->setText("4 006381 333931");
    // A text naming no code type installs nothing and keeps the digits; the row is shown.
    ui().EANUPC_CodeType->setEditText("EAN-1");
    EXPECT_EQ(ui().EANUPC_CodeValue->displayText(), "4 006381 333931");
    EXPECT_FALSE(ui().AddOnLabel->isHidden());
    EXPECT_TRUE(ui().EANUPC_AddOnValue->isHidden()) << "add-on type is still None";
    ui().EANUPC_CodeType->setEditText("UPC-E");
    EXPECT_EQ(ui().EANUPC_CodeValue->displayText(), "0 000000 0");
    // An unknown add-on text shows the field but changes neither mask nor digits.
    ui().EANUPC_AddOnType->setEditText("3-Digit");
    EXPECT_FALSE(ui().EANUPC_AddOnValue->isHidden());
    EXPECT_EQ(ui().EANUPC_AddOnValue->displayText(), "00000");
}

TEST_F(MainFormInput, ColourDialogRemembersTheLastConfirmedColour) {
    std::vector<QColor> offered;
    std::optional<QColor> answer;
    form.setColorChooser([&](const QColor& initial) {
        offered.push_back(initial);
        return answer;
    });
    PaintCounter repaints(ui().PaintBox);

    answer = std::nullopt;  // cancel
    QTest::mouseClick(ui().LineColorBtn, Qt::LeftButton);
    EXPECT_EQ(form.lineColor(), QColor(Qt::black));
    EXPECT_EQ(form.backgroundColor(), QColor(Qt::white));
    EXPECT_EQ(repaints.count, 1) << "a cancelled dialog still repaints";

    answer = QColor(Qt::darkBlue);
    ui().LineColorMI->trigger();
    EXPECT_EQ(form.lineColor(), QColor(Qt::darkBlue));
    EXPECT_EQ(ui().LineColorBtn->color(), QColor(Qt::darkBlue));

    answer = QColor(Qt::yellow);
    QTest::mouseClick(ui().BackgroundColorBtn, Qt::LeftButton);
    EXPECT_EQ(form.backgroundColor(), QColor(Qt::yellow));
    EXPECT_EQ(form.lineColor(), QColor(Qt::darkBlue));

    answer = std::nullopt;
    ui().BackgroundColorMI->trigger();
    ASSERT_EQ(offered.size(), 4u);
    EXPECT_EQ(offered[0], QColor(Qt::black)) << "black at first";
    EXPECT_EQ(offered[1], QColor(Qt::black)) << "a cancel changes nothing";
    EXPECT_EQ(offered[2], QColor(Qt::darkBlue)) << "last confirmed, whichever panel";
    EXPECT_EQ(offered[3], QColor(Qt::yellow));
    EXPECT_EQ(form.backgroundColor(), QColor(Qt::yellow));
}

TEST_F(MainFormInput, SizesRepaintAndStayInRange) {
    PaintCounter repaints(ui().PaintBox);
    ui().EANUPC_Size->setFocus();
    QTest::keyClick(ui().EANUPC_Size, Qt::Key_Up);
    EXPECT_EQ(ui().EANUPC_Size->value(), 105);
    EXPECT_EQ(form.currentSymbol()->sizePercent, 105);
    EXPECT_GE(repaints.count, 1);
    ui().EANUPC_Size->setValue(200);
    QTest::keyClick(ui().EANUPC_Size, Qt::Key_Up);
    EXPECT_EQ(ui().EANUPC_Size->value(), 200);
    EXPECT_EQ(ui().ITF14_Size->minimum(), 25);
    EXPECT_EQ(ui().ITF14_Size->maximum(), 100);
}

TEST_F(MainFormInput, KeyboardDrivesFieldsListsAndPreview) {
    BeepCounter beeps;
    MaskedEdit* field = ui().EANUPC_CodeValue;
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClicks(field, "4006381333931");
    EXPECT_EQ(field->displayText(), "4 006381 333931");
    EXPECT_EQ(handedOn(), "400638133393100000");
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_X);
    EXPECT_EQ(beeps.count(), 1) << "a letter is refused with a beep";
    EXPECT_EQ(field->displayText(), "4 006381 333931");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->displayText(), "0 000000 000000") << "digits cleared, literals kept";

    // The code-type list answers the arrow keys like a choice from its list.
    ui().EANUPC_CodeType->setFocus();
    QTest::keyClick(ui().EANUPC_CodeType, Qt::Key_Down);
    EXPECT_EQ(ui().EANUPC_CodeType->currentText(), "EAN-8");
    EXPECT_EQ(field->displayText(), "0000 0000");
    EXPECT_TRUE(ui().AddOnLabel->isHidden());

    // The size is stepped, never typed.
    ui().EANUPC_Size->setFocus();
    QTest::keyClicks(ui().EANUPC_Size, "150");
    EXPECT_EQ(ui().EANUPC_Size->value(), 100);
    EXPECT_EQ(beeps.count(), 4);
    QTest::keyClick(ui().EANUPC_Size, Qt::Key_Down);
    EXPECT_EQ(form.currentSymbol()->sizePercent, 95);
}

// One notch of the wheel over a widget, as a resting pointer sends it.
void wheelNotch(QWidget* widget, int direction) {
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent event(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, 120 * direction),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

TEST_F(MainFormInput, NothingTypedIsLostByTheWheelOrTheStart) {
    // At start the number has the focus: digits typed at once land there, and Ctrl+Z takes
    // them back as Escape does.
    MaskedEdit* field = ui().EANUPC_CodeValue;
    ASSERT_EQ(QApplication::focusWidget(), field);
    // Keys to the window, as the keyboard sends them, reach whatever has the focus.
    QTest::keyClick(form.windowHandle(), Qt::Key_Home);
    for (const char digit : std::string("4006381333931")) {
        QTest::keyClick(form.windowHandle(), digit);
    }
    EXPECT_EQ(field->displayText(), "4 006381 333931");

    // A notch over a list or size box that lacks the focus changes nothing.
    for (QWidget* resting : std::initializer_list<QWidget*>{
             ui().EANUPC_CodeType, ui().EANUPC_AddOnType, ui().EANUPC_Size, ui().LangComboBox}) {
        wheelNotch(resting, -1);
    }
    EXPECT_EQ(ui().EANUPC_CodeType->currentText(), "EAN-13");
    EXPECT_EQ(ui().EANUPC_AddOnType->currentText(), "None");
    EXPECT_EQ(ui().EANUPC_Size->value(), 100);
    EXPECT_EQ(ui().LangComboBox->currentIndex(), 1);
    EXPECT_EQ(field->displayText(), "4 006381 333931");
    QTest::keyClick(form.windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->displayText(), "0 000000 000000");
    ui().EANUPC_Size->setFocus();
    wheelNotch(ui().EANUPC_Size, 1);
    EXPECT_EQ(ui().EANUPC_Size->value(), 105) << "with the focus the wheel steps";

    // Text naming no language does not stay beside the flag once the focus leaves.
    QComboBox* selector = ui().LangComboBox;
    selector->setFocus();
    selector->lineEdit()->selectAll();
    QTest::keyClicks(selector, "zz");
    field->setFocus();
    EXPECT_EQ(selector->currentText(), "English");
    EXPECT_EQ(CurrentLang, "ENG");
}

TEST_F(MainFormInput, ExitClosesTheWindow) {
    ui().ExitMI->trigger();
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace strikon

namespace strikon {
namespace {

// The band under the preview names, as the user types and chooses, whatever may keep the
// symbol from scanning at the resolution of Save As; the symbol is still drawn.
TEST_F(MainFormInput, ScanNoticesFollowTypingAndColours) {
    form.SetLang("ENG");
    const QLabel& band = *ui().ScanNotice;
    auto type = [&](QLineEdit* field, const char* digits) {
        field->setFocus();
        field->setCursorPosition(0);
        QTest::keyClicks(field, QString::fromLatin1(digits));
    };
    struct Row {
        const char* what;
        std::function<void()> act;
        const char* notice;  // a part of the band's text; "" for a hidden band
    };
    std::optional<QColor> answer;
    form.setColorChooser([&](const QColor&) { return answer; });
    const std::vector<Row> rows = {
        {"a right check digit", [&] { type(ui().EANUPC_CodeValue, "4006381333931"); }, ""},
        {"a wrong one", [&] { type(ui().EANUPC_CodeValue, "4006381333937"); },
         "The check digit of EAN-13 4006381333937 should be 1"},
        {"UPC-E 5123456 and its check digit",
         [&] {
             chooseCodeType("UPC-E");
             type(ui().EANUPC_CodeValue, "5123456");
             QTest::mouseClick(ui().CheckDigitButton, Qt::LeftButton);
         },
         "UPC-E takes number system 0 or 1, not 5"},
        {"UPC-E not zero-suppressed", [&] { type(ui().EANUPC_CodeValue, "04319833"); },
         "its UPC-A number 043100000983 is written in UPC-E as 04309813"},
        {"yellow on yellow",
         [&] {
             chooseCodeType("EAN-13");
             type(ui().EANUPC_CodeValue, "4006381333931");
             answer = QColor(Qt::yellow);
             QTest::mouseClick(ui().LineColorBtn, Qt::LeftButton);
             QTest::mouseClick(ui().BackgroundColorBtn, Qt::LeftButton);
         },
         "print contrast of 0 %"},
        {"black again, at 203 dpi",
         [&] {
             answer = QColor(Qt::black);
             QTest::mouseClick(ui().LineColorBtn, Qt::LeftButton);
             answer = QColor(Qt::white);
             QTest::mouseClick(ui().BackgroundColorBtn, Qt::LeftButton);
             OutputSettings settings = form.outputSettings();
             settings.dpi = 203;
             form.setOutputSettings(settings);
         },
         "Grade F at 203 dpi (ISO/IEC 15416); whole-dot modules: grade A."},
        {"whole-dot modules",
         [&] {
             OutputSettings settings = form.outputSettings();
             settings.options.fitDots = true;
             form.setOutputSettings(settings);
         },
         ""},
    };
    for (const Row& r : rows) {
        r.act();
        if (*r.notice == '\0') {
            EXPECT_TRUE(band.isHidden()) << r.what << ": " << band.text().toStdString();
        } else {
            EXPECT_FALSE(band.isHidden()) << r.what;
            EXPECT_TRUE(band.text().contains(QString::fromUtf8(r.notice)))
                << r.what << ": " << band.text().toStdString();
        }
    }
    form.SetLang("RUS");
    form.setOutputSettings(OutputSettings{});
    type(ui().EANUPC_CodeValue, "4006381333937");
    EXPECT_TRUE(band.text().startsWith("Контрольная цифра EAN-13 4006381333937 должна быть 1"))
        << band.text().toStdString();
}

}  // namespace
}  // namespace strikon
