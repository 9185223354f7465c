#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include "app/current_lang.h"
#include "app/help/help_form.h"

namespace strikon {
namespace {

const QString kEnglishTitle = "Help for program Strikon v. 1.1";
const QString kRussianTitle = QString::fromUtf8("Справка к программе Стрикон v. 1.1");

QString firstLine(const THelpForm& form) {
    return form.RichEdit()->document()->begin().text();
}

int openHelpWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<THelpForm*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    }
    return count;
}

TEST(HelpForm, LayoutAsDesigned) {
    THelpForm form;
    EXPECT_EQ(form.size(), QSize(587, 434));
    EXPECT_EQ(form.pos(), QPoint(211, 118));
    EXPECT_TRUE(form.windowTitle().isEmpty());
    QTextBrowser* view = form.RichEdit();
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_EQ(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view->lineWrapMode(), QTextEdit::WidgetWidth);
    form.show();
    form.resize(400, 300);
    EXPECT_EQ(view->geometry(), form.rect());  // the view follows the window
}

TEST(HelpForm, KeepsItsLanguageUntilTheCommandIsUsedAgain) {
    THelpForm form;
    CurrentLang = "ENG";
    form.ShowManual(CurrentLang);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(firstLine(form), kEnglishTitle);

    CurrentLang = "RUS";  // a language switch does not touch the open window
    QApplication::processEvents();
    EXPECT_EQ(firstLine(form), kEnglishTitle);

    form.ShowManual(CurrentLang);
    EXPECT_EQ(firstLine(form), kRussianTitle);
    EXPECT_EQ(openHelpWindows(), 1);
}

TEST(HelpForm, SecondUseReloadsTheSameWindow) {
    THelpForm form;
    form.ShowManual("RUS");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const qsizetype length = form.RichEdit()->document()->characterCount();
    form.RichEdit()->verticalScrollBar()->setValue(form.RichEdit()->verticalScrollBar()->maximum());
    form.ShowManual("RUS");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(openHelpWindows(), 1);
    EXPECT_EQ(form.RichEdit()->document()->characterCount(), length);  // replaced, not appended
    EXPECT_EQ(form.RichEdit()->textCursor().position(), 0);
}

TEST(HelpForm, UnknownLanguageKeepsTheContentAndStillShows) {
    THelpForm form;
    form.ShowManual("ENG");
    form.ShowManual("DEU");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(firstLine(form), kEnglishTitle);
}

}  // namespace
}  // namespace strikon
