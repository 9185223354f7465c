#include "app/input/masked_edit.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "tests/app/input/beep_counter.h"

// Lets failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace strikon {
namespace {

const QString kEan13 = QStringLiteral("9 999999 999999;1;0");
const QString kZeros = QStringLiteral("0 000000 000000");
const QString kFilled = QStringLiteral("1 234567 890128");

class MaskedEditTest : public ::testing::Test {
  protected:
    MaskedEditTest() { edit.setMask(kEan13, kZeros); }

    void focusIn(Qt::FocusReason reason) {
        QFocusEvent event(QEvent::FocusIn, reason);
        QApplication::sendEvent(&edit, &event);
    }

    // Sends one key and says whether the field took it.
    bool press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&edit, &event);
        return event.isAccepted();
    }

    MaskedEdit edit;
    BeepCounter beeps;
};

TEST_F(MaskedEditTest, TypedDigitsFillTheFieldAndKeepEveryZero) {
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "4006381333931");
    EXPECT_EQ(edit.text(), "4 006381 333931");
    EXPECT_EQ(edit.displayText(), edit.text());
    EXPECT_EQ(edit.cursorPosition(), 15);
    EXPECT_EQ(beeps.count(), 0);
    // A zero typed over a zero changes nothing and raises no notification.
    EXPECT_EQ(changed.count(), 11);
    EXPECT_EQ(changed.last().at(0).toString(), "4 006381 333931");

    QTest::keyClick(&edit, Qt::Key_5);  // past the end
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(edit.text(), "4 006381 333931");
}

TEST_F(MaskedEditTest, RefusedCharactersBeepAndChangeNothing) {
    edit.setText(kFilled);
    edit.setCursorPosition(3);
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    QTest::keyClicks(&edit, "a-");
    EXPECT_EQ(beeps.count(), 2);
    EXPECT_EQ(edit.text(), kFilled);
    EXPECT_EQ(edit.cursorPosition(), 3);

    QTest::keyClick(&edit, Qt::Key_Space);  // jumps into the last group
    EXPECT_EQ(edit.cursorPosition(), 9);
    QTest::keyClick(&edit, Qt::Key_Space);  // no literal follows
    EXPECT_EQ(edit.cursorPosition(), 9);
    EXPECT_EQ(beeps.count(), 3);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(MaskedEditTest, DeletingASelectionLeavesZerosAndLiterals) {
    edit.setText(kFilled);
    edit.setSelection(1, 10);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "1 000000 000128");
    EXPECT_EQ(edit.cursorPosition(), 1);

    edit.setCursorPosition(2);
    QTest::keyClick(&edit, Qt::Key_Backspace);  // over the literal to the first digit
    EXPECT_EQ(edit.text(), "0 000000 000128");
    EXPECT_EQ(edit.cursorPosition(), 0);

    edit.setText(kFilled);
    edit.setCursorPosition(5);
    QTest::keyClick(&edit, Qt::Key_Backspace, Qt::ControlModifier);  // to the group's start
    EXPECT_EQ(edit.text(), "1 000567 890128");
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(MaskedEditTest, CutCopiesTheSelectionAndLeavesZeros) {
    edit.setText(kFilled);
    edit.setSelection(9, 6);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "890128");
    EXPECT_EQ(edit.text(), "1 234567 000000");
}

TEST_F(MaskedEditTest, PasteFromTheKeyboardRunsThroughTheMask) {
    QApplication::clipboard()->setText("4006381333931");
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "4 006381 333931");

    QApplication::clipboard()->setText("12 34");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "1 203400 000000");
    EXPECT_EQ(edit.cursorPosition(), 6);
}

TEST_F(MaskedEditTest, TheContextMenuPastesCutsAndDeletesThroughTheMask) {
    // Builds the menu as a right click would, with the current selection, and picks an item.
    auto trigger = [this](const QString& caption) {
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->text().section('\t', 0, 0) == caption) {
                ASSERT_TRUE(action->isEnabled());
                action->trigger();
                return;
            }
        }
        FAIL() << "no menu item " << caption.toStdString();
    };
    edit.setText(kFilled);
    QApplication::clipboard()->setText("99");
    edit.setCursorPosition(5);
    trigger("&Paste");
    EXPECT_EQ(edit.text(), "1 234997 890128");
    edit.setSelection(0, 4);
    trigger("Cu&t");
    EXPECT_EQ(edit.text(), "0 004997 890128");
    EXPECT_EQ(QApplication::clipboard()->text(), "1 23");
    edit.setSelection(9, 6);
    trigger("Delete");
    EXPECT_EQ(edit.text(), "0 004997 000000");
    trigger("&Undo");  // as Escape: back to the text last set
    EXPECT_EQ(edit.text(), kFilled);
}

TEST_F(MaskedEditTest, DropsAndInputMethodCommitsRunThroughTheMask) {
    QMimeData data;
    data.setText("4006381333931");
    const QPointF at(1, edit.height() / 2);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&edit, &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &drop);
    EXPECT_EQ(edit.text(), "4 006381 333931");
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);

    edit.setCursorPosition(9);
    QInputMethodEvent commit;
    commit.setCommitString("77x");
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.text(), "4 006381 773931");
    EXPECT_EQ(beeps.count(), 1);
}

TEST_F(MaskedEditTest, EditsPastTheMaskAreUndone) {
    edit.setText(kFilled);
    edit.setCursorPosition(3);
    edit.insert("77");  // QLineEdit's own slot, not routed through the mask
    EXPECT_EQ(edit.text(), kFilled);
    EXPECT_TRUE(press(Qt::Key_Z, Qt::ControlModifier));
    EXPECT_EQ(edit.text(), kFilled);
}

TEST_F(MaskedEditTest, EscapeRestoresTheTextFromFocusInOrTheLastSet) {
    edit.setText(kFilled);
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "99");
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    EXPECT_TRUE(press(Qt::Key_Escape));
    EXPECT_EQ(edit.text(), kFilled);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(press(Qt::Key_Escape));  // nothing to undo: left to the window
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "3");
    EXPECT_TRUE(press(Qt::Key_Z, Qt::ControlModifier));  // Ctrl+Z is the same undo
    EXPECT_EQ(edit.text(), kFilled);

    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "5");
    focusIn(Qt::TabFocusReason);
    QTest::keyClicks(&edit, "6");
    focusIn(Qt::PopupFocusReason);  // back from the context menu: the same visit
    QTest::keyClicks(&edit, "7");
    press(Qt::Key_Escape);
    EXPECT_EQ(edit.text(), "5 234567 890128");
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(MaskedEditTest, OnlyARealChangeOfTextNotifies) {
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    edit.setText(kZeros);
    edit.setMask(kEan13, "000000000000 0");
    EXPECT_EQ(changed.count(), 0);

    edit.setText("4006381333931");
    EXPECT_EQ(changed.count(), 1);
    edit.setText("4 006381 333931");  // a check digit that was already right
    EXPECT_EQ(changed.count(), 1);

    edit.setMask("9999 9999;1;0", "0000 0000");
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.last().at(0).toString(), "0000 0000");
    EXPECT_EQ(edit.maskPattern(), "9999 9999");
}

TEST_F(MaskedEditTest, AnInputMaskPropertyInstallsTheFieldsOwnMask) {
    edit.setText(kFilled);
    edit.setInputMask("9 999999 9;1;0");  // as a layout file would set it
    EXPECT_EQ(edit.text(), "1 234567 8");
    EXPECT_EQ(edit.inputMask(), "");  // Qt's mask, which would drop zeros from text(), stays off
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "00");
    EXPECT_EQ(edit.text(), "0 034567 8");
}

}  // namespace
}  // namespace strikon
