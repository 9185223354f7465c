#include "app/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "app/current_lang.h"
#include "app/help/manual.h"
#include "app/language_table.h"
#include "app/output_settings_dialog.h"
#include "app/windows.h"
#include "render/draw_symbol.h"
#include "ui_main_form.h"

namespace strikon {
namespace {

// The window's texts as the user sees them, in table order, for one language.
QStringList visibleTexts(TMainForm& form) {
    using T = TranslatedText::Target;
    QStringList texts;
    for (const TranslatedText& entry : mainWindowTexts()) {
        const QString name = QLatin1String(entry.objectName);
        switch (entry.target) {
            case T::WindowTitle:
                texts << form.windowTitle();
                break;
            case T::MenuTitle:
                texts << form.findChild<QMenu*>(name)->title();
                break;
            case T::ActionText:
                texts << form.findChild<QAction*>(name)->text();
                break;
            case T::Hint: {
                auto* widget = form.findChild<QWidget*>(name);
                texts << widget->toolTip();
                EXPECT_EQ(widget->accessibleName(), widget->toolTip()) << entry.objectName;
                break;
            }
            case T::LabelText:
                texts << form.findChild<QLabel*>(name)->text();
                break;
            case T::GroupTitle:
                texts << form.findChild<QGroupBox*>(name)->title();
                break;
            case T::Placeholder: {
                auto* edit = form.findChild<QLineEdit*>(name);
                texts << edit->placeholderText();
                // A hint cut short ("YYMM...") no longer shows the format it stands for.
                const int frame =
                    edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
                EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->placeholderText()),
                          edit->width() - 2 * (frame + 2))
                    << entry.objectName << ": " << edit->placeholderText().toStdString();
                break;
            }
        }
    }
    return texts;
}

QStringList tableColumn(Language language) {
    QStringList texts;
    for (const TranslatedText& entry : mainWindowTexts()) {
        texts << (language == Language::Russian ? entry.russian : entry.english);
    }
    return texts;
}

TEST(MainFormStart, DefaultsOfEveryControl) {
    TMainForm form;
    auto& ui = form.controls();
    EXPECT_EQ(form.size(), QSize(618, 479));  // the notice band under the preview
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the window cannot be resized";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(ui.PageControl->currentIndex(), 0);
    EXPECT_EQ(ui.PageControl->tabText(0), "EAN/UPC");
    EXPECT_EQ(ui.PageControl->tabText(1), "ITF-14");
    EXPECT_EQ(ui.EANUPC_CodeType->currentText(), "EAN-13");
    EXPECT_EQ(ui.EANUPC_AddOnType->currentText(), "None");
    EXPECT_FALSE(ui.AddOnLabel->isHidden());
    EXPECT_FALSE(ui.EANUPC_AddOnType->isHidden());
    EXPECT_TRUE(ui.EANUPC_AddOnValue->isHidden());
    EXPECT_EQ(ui.EANUPC_CodeValue->displayText(), "0 000000 000000");
    EXPECT_EQ(ui.EANUPC_AddOnValue->displayText(), "00000");
    EXPECT_EQ(ui.ITF14_CodeValue->displayText(), "00000000000000");
    EXPECT_EQ(ui.EANUPC_Size->value(), 100);
    EXPECT_EQ(ui.ITF14_Size->value(), 100);
    EXPECT_EQ(form.lineColor(), QColor(Qt::black));
    EXPECT_EQ(form.backgroundColor(), QColor(Qt::white));
    EXPECT_EQ(ui.PaintBox->size(), QSize(596, 223));

    // The encoder receives the hidden add-on field's five digits too.
    const SymbolRequest request = form.currentSymbol().value();
    EXPECT_EQ(request.symbology, Symbology::EAN13);
    EXPECT_EQ(request.addOn, AddOn::None);
    EXPECT_EQ(request.digits, std::string(13, '0'));
    EXPECT_EQ(request.addOnDigits, std::string(5, '0'));
    EXPECT_EQ(request.sizePercent, 100);

    // Digits typed at start fill the number from its first place.
    QTest::keyClicks(ui.EANUPC_CodeValue, "4006381333931");
    EXPECT_EQ(ui.EANUPC_CodeValue->displayText(), "4 006381 333931");
}

TEST(MainFormStart, LanguageFollowsTheUserLanguageIdentifier) {
    TMainForm form;
    struct Case {
        uint16_t langId;
        const char* lang;
        int item;
        const char* title;
    };
    const Case cases[] = {
        {1049, "RUS", 0, "Стрикон"},
        {1033, "ENG", 1, "Strikon"},
        {2073, "ENG", 1, "Strikon"},  // another Russian variant starts in English
        {0, "ENG", 1, "Strikon"},
    };
    for (const Case& c : cases) {
        form.FormCreate(c.langId);
        EXPECT_EQ(CurrentLang, c.lang) << c.langId;
        EXPECT_EQ(form.controls().LangComboBox->currentIndex(), c.item) << c.langId;
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8(c.title)) << c.langId;
        EXPECT_EQ(visibleTexts(form),
                  tableColumn(c.langId == 1049 ? Language::Russian : Language::English))
            << c.langId;
    }
}

TEST(MainFormLanguage, SwitchingThereAndBackRestoresEveryText) {
    TMainForm form;
    form.FormCreate(1049);
    const QStringList russian = visibleTexts(form);
    form.controls().LangComboBox->setCurrentIndex(1);
    EXPECT_EQ(CurrentLang, "ENG");
    EXPECT_EQ(visibleTexts(form), tableColumn(Language::English));
    form.controls().LangComboBox->setCurrentIndex(0);
    EXPECT_EQ(CurrentLang, "RUS");
    EXPECT_EQ(visibleTexts(form), russian);
    // Compared texts never change with the language.
    EXPECT_EQ(form.controls().PageControl->tabText(0), "EAN/UPC");
    EXPECT_EQ(form.controls().EANUPC_CodeType->itemText(3), "UPC-E");
    EXPECT_EQ(form.controls().EANUPC_AddOnType->itemText(1), "2-Digit");
}

TEST(MainFormLanguage, QtsOwnTextsFollowTheLanguage) {
    TMainForm form;
    const auto cancelText = [] {
        const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        return buttons.button(QDialogButtonBox::Cancel)->text();
    };
    form.SetLang("RUS");
    EXPECT_EQ(cancelText(), "Отмена");
    form.SetLang("DEU");
    EXPECT_EQ(cancelText(), "Отмена") << "an unknown code changes no text";
    form.SetLang("ENG");
    EXPECT_EQ(cancelText(), "Cancel");
}

// The colour dialog is made once; its title follows a language chosen after that.
TEST(MainFormLanguage, ColourDialogTitleFollowsALiveSwitch) {
    TMainForm form;
    QStringList titles;
    const auto titleOfNextDialog = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            titles << dialog->windowTitle();
            dialog->close();
        });
        form.controls().LineColorMI->trigger();
    };
    form.SetLang("ENG");
    titleOfNextDialog();
    form.SetLang("RUS");
    titleOfNextDialog();
    ASSERT_EQ(titles.size(), 2);
    EXPECT_EQ(titles[0], "Select Color");
    EXPECT_EQ(titles[1], QCoreApplication::translate("QColorDialog", "Select Color"));
    EXPECT_NE(titles[1], titles[0]);
    form.SetLang("ENG");
}

TEST(MainFormLanguage, UnknownCodeChangesNoText) {
    TMainForm form;
    form.FormCreate(1033);
    form.SetLang("DEU");
    EXPECT_EQ(CurrentLang, "DEU");
    EXPECT_EQ(visibleTexts(form), tableColumn(Language::English));
}

// Renders the preview as its paint event would, into an image of the preview's size.
QImage renderPreview(TMainForm& form) {
    const QSize size = form.controls().PaintBox->size();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    form.PaintBoxPaint(painter);
    return image;
}

TEST(MainFormPreview, ThirteenZerosCentredToTheMillimetre) {
    TMainForm form;
    form.setScaleOverride(ScreenScale{4.0, 4.0});
    const QImage preview = renderPreview(form);
    const QColor window = form.palette().color(QPalette::Window);
    // EAN-13 at 4 px/mm is 149 x 104 pixels; (596 - 149) / 2 / 4 = 55.875 mm rounds to 56 and
    // (223 - 104) / 2 / 4 = 14.875 mm to 15, so the symbol starts at (224, 60).
    const QRect symbol(224, 60, 149, 104);
    for (int y = 0; y < preview.height(); y += 3) {
        for (int x = 0; x < preview.width(); x += 3) {
            if (!symbol.contains(x, y)) {
                ASSERT_EQ(preview.pixelColor(x, y), window) << x << "," << y;
            }
        }
    }
    const QColor white(Qt::white), black(Qt::black);
    EXPECT_EQ(preview.pixelColor(224, 60), white) << "left quiet zone";
    EXPECT_EQ(preview.pixelColor(238, 60), white);
    // The first guard module: X0 = 224 + 11 x 1.32 = 238.52, its column 239, rows 60..157.
    EXPECT_EQ(preview.pixelColor(239, 60), black);
    EXPECT_EQ(preview.pixelColor(239, 157), black);
    EXPECT_EQ(preview.pixelColor(239, 158), white);
    EXPECT_EQ(preview.pixelColor(240, 60), white);
    // The third guard module: 238.52 + 2 x 1.32 = 241.16, column 241.
    EXPECT_EQ(preview.pixelColor(241, 100), black);
    EXPECT_EQ(preview.pixelColor(372, 60), white) << "right quiet zone";

    // Every column of the top bar row. Thirteen zeros are the guard 101, 0001101 six times (the
    // first digit 0 takes odd parity throughout), the centre 01010, 1110010 six times and the
    // guard 101. A dark run over modules k1..k2 fills the columns round(X0 + k1 P) up to, not
    // including, round(X0 + (k2 + 1) P); for the first digit's 11 (modules 6 and 7):
    // 238.52 + 6 x 1.32 = 246.44 -> 246, 238.52 + 8 x 1.32 = 249.08 -> 249, columns 246-248.
    const std::pair<int, int> darkRuns[] = {
        {239, 239}, {241, 241}, {246, 248}, {250, 251}, {256, 257}, {260, 260},
        {265, 267}, {269, 269}, {274, 276}, {278, 278}, {283, 285}, {287, 288},
        {293, 294}, {297, 297}, {299, 300}, {302, 302}, {305, 307}, {311, 311},
        {314, 317}, {320, 321}, {323, 326}, {330, 330}, {332, 335}, {339, 339},
        {341, 344}, {348, 348}, {351, 354}, {357, 358}, {360, 360}, {363, 363}};
    for (int x = 224; x < 224 + 149; ++x) {
        const bool dark = std::any_of(std::begin(darkRuns), std::end(darkRuns),
                                      [x](auto run) { return x >= run.first && x <= run.second; });
        EXPECT_EQ(preview.pixelColor(x, 61), dark ? black : white) << "column " << x;
    }
}

TEST(MainFormPreview, BackgroundColourStaysInsideTheSymbol) {
    TMainForm form;
    form.setScaleOverride(ScreenScale{4.0, 4.0});
    form.controls().BackgroundColorBtn->setColor(Qt::yellow);
    const QImage preview = renderPreview(form);
    EXPECT_EQ(preview.pixelColor(224, 60), QColor(Qt::yellow));
    EXPECT_EQ(preview.pixelColor(223, 60), form.palette().color(QPalette::Window));
    EXPECT_EQ(preview.pixelColor(224, 59), form.palette().color(QPalette::Window));
}

// Each repaint is complete by itself: after any change, a window that has painted before draws
// exactly what a window opened with that change draws, and not what it drew before.
TEST(MainFormPreview, EachChangeReachesTheNextRepaint) {
    const std::function<void(TMainForm&)> changes[] = {
        [](TMainForm& f) { f.controls().EANUPC_CodeValue->setText("4006381333931"); },
        [](TMainForm& f) { f.controls().EANUPC_CodeType->setCurrentIndex(1); },
        [](TMainForm& f) { f.controls().EANUPC_AddOnType->setCurrentIndex(2); },
        [](TMainForm& f) { f.controls().EANUPC_Size->setValue(150); },
        [](TMainForm& f) { f.controls().LineColorBtn->setColor(Qt::blue); },
        [](TMainForm& f) { f.controls().BackgroundColorBtn->setColor(Qt::yellow); },
        [](TMainForm& f) { f.controls().PageControl->setCurrentIndex(1); },
        [](TMainForm& f) {
            f.setScaleOverride(ScreenScale{5.0, 5.0});
        },
        [](TMainForm& f) {
            f.setOutputSettings({{0.0, true, 0.0, false}, 150});
        },
        [](TMainForm& f) {
            f.setOutputSettings({{0.0, false, 0.0, true}, 300});
        },
        [](TMainForm& f) { f.controls().PaintBox->resize(300, 150); },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        TMainForm form;
        form.setScaleOverride(ScreenScale{4.0, 4.0});
        const QImage before = renderPreview(form);
        changes[i](form);
        const QImage after = renderPreview(form);
        TMainForm fresh;
        fresh.setScaleOverride(ScreenScale{4.0, 4.0});
        changes[i](fresh);
        EXPECT_TRUE(after == renderPreview(fresh)) << "change " << i;
        EXPECT_FALSE(after == before) << "change " << i;
    }
}

TEST(MainFormPreview, ItfPageDrawsFromItsOwnFields) {
    TMainForm form;
    form.setScaleOverride(ScreenScale{4.0, 4.0});
    form.controls().PageControl->setCurrentIndex(1);
    const SymbolRequest request = form.currentSymbol().value();
    EXPECT_EQ(request.symbology, Symbology::ITF14);
    EXPECT_EQ(request.digits, std::string(14, '0'));
    // ITF-14 at 4 px/mm is 609 x 189: wider than the preview, so the offset is negative
    // (-1.625 mm rounds to -2) and the frame's 19-column left bearer starts 8 pixels outside.
    const QImage preview = renderPreview(form);
    EXPECT_EQ(preview.pixelColor(0, 100), QColor(Qt::black)) << "left bearer, cut off";
}

TEST(MainFormPreview, UnknownScreenSizeIsSaidUnderThePreview) {
    TMainForm form;
    form.FormCreate(1049);
    const QLabel& notice = *form.controls().ScreenNotice;
    form.setScaleOverride(ScreenScale{3.78, 3.78, true});
    EXPECT_FALSE(notice.isHidden());
    EXPECT_EQ(notice.text(), "Размер экрана неизвестен: просмотр рассчитан на 96 dpi");
    form.SetLang("ENG");
    EXPECT_EQ(notice.text(), "Screen size unknown: the preview assumes 96 dpi");
    form.setScaleOverride(ScreenScale{3.78, 3.78, false});
    EXPECT_TRUE(notice.isHidden());
}

// File → Output Settings…: each control takes effect at once, in the preview and in the line
// under it, and the settings stay for the next opening; captions in both languages.
TEST(MainFormOutputSettings, ChangesTakeEffectAtOnceAndAreKept) {
    TMainForm form;
    form.FormCreate(1049);
    form.setScaleOverride(ScreenScale{4.0, 4.0});
    const QImage plain = renderPreview(form);
    bool ran = false;
    form.setSettingsDialogRunner([&](OutputSettingsDialog& d) {
        ran = true;
        d.dpiBox()->setCurrentIndex(d.dpiBox()->findData(600));
        d.reductionBox()->setValue(0.085);
        d.fitBox()->setChecked(true);
        EXPECT_EQ(form.outputSettings().options.fitDots, true) << "at once, not on Close";
        d.marksBox()->setChecked(true);
        EXPECT_EQ(d.reductionNote()->text(), "0,085 мм = 2 точки при 600 dpi");
        EXPECT_EQ(d.fitNote()->text(), "100 % → 102,6 %, X = 0,339 мм, 8 точек при 600 dpi");
    });
    form.controls().OutputSettingsMI->trigger();
    ASSERT_TRUE(ran);
    const OutputSettings kept = form.outputSettings();
    EXPECT_EQ(kept.dpi, 600);
    EXPECT_EQ(kept.options, (OutputOptions{0.085, true, 0.0, true}));
    EXPECT_NE(renderPreview(form), plain);
    // 113 modules of 8 dots at 600 dpi: 38.27 mm.
    const QString info = form.controls().OutputInfo->text();
    EXPECT_TRUE(info.startsWith("38,27 × ")) << info.toStdString();
    EXPECT_TRUE(
        info.endsWith("модуль 0,339 мм; в целых точках: 100 % → 102,6 %, X = 0,339 мм, "
                      "8 точек при 600 dpi"))
        << info.toStdString();

    form.SetLang("ENG");
    form.setSettingsDialogRunner([&](OutputSettingsDialog& d) {
        EXPECT_TRUE(d.fitBox()->isChecked());
        EXPECT_EQ(d.windowTitle(), "Output Settings");
        EXPECT_EQ(d.reductionNote()->text(), "0.085 mm = 2 dots at 600 dpi");
        d.fitBox()->setChecked(false);
    });
    form.controls().OutputSettingsMI->trigger();
    EXPECT_TRUE(form.controls().OutputInfo->text().endsWith("module 0.330 mm"))
        << form.controls().OutputInfo->text().toStdString();
}

// Every menu and command of the window is named in the manual of its language and in
// man strikon: a command added to the menu without a word in the documents fails here.
TEST(MainFormMenu, EveryCommandIsDescribedInTheManualsAndTheManPage) {
    QFile manPage(QStringLiteral(STRIKON_SOURCE_DIR "/packaging/man/strikon.1"));
    ASSERT_TRUE(manPage.open(QIODevice::ReadOnly));
    const QString man = QString::fromUtf8(manPage.readAll()).replace(QStringLiteral("\\-"), "-");
    TMainForm form;
    for (const char* language : {"RUS", "ENG"}) {
        form.SetLang(language);
        QTextDocument manual;
        ASSERT_TRUE(loadManual(manualResource(language), manual));
        const QString text = manual.toPlainText();
        for (QAction* menu : form.menuBar()->actions()) {
            QList<QAction*> named = menu->menu()->actions();
            named.prepend(menu);
            for (const QAction* command : named) {
                const QString name = command->iconText().remove(u'…').remove(u'&');
                EXPECT_TRUE(text.contains(name))
                    << language << " manual lacks " << name.toStdString();
                if (QLatin1String(language) == "ENG") {
                    EXPECT_TRUE(man.contains(name)) << "man strikon lacks " << name.toStdString();
                }
            }
        }
    }
}

// Every menu and command has one underlined letter, none shared within its menu, in both
// languages.
TEST(MainFormKeys, MnemonicsAreUniqueInEachMenu) {
    TMainForm form;
    for (const char* language : {"RUS", "ENG"}) {
        form.SetLang(language);
        std::vector<std::vector<QString>> menus = {{}};
        for (QAction* title : form.menuBar()->actions()) {
            menus[0].push_back(title->text());
            std::vector<QString> items;
            for (QAction* item : title->menu()->actions()) {
                items.push_back(item->text());
            }
            menus.push_back(items);
        }
        for (const auto& texts : menus) {
            QSet<QChar> letters;
            for (const QString& text : texts) {
                const qsizetype amp = text.indexOf(u'&');
                ASSERT_GE(amp, 0) << language << ": " << text.toStdString();
                EXPECT_EQ(text.count(u'&'), 1) << text.toStdString();
                const QChar letter = text.at(amp + 1).toLower();
                EXPECT_FALSE(letters.contains(letter)) << language << ": " << text.toStdString();
                letters.insert(letter);
            }
        }
    }
}

// The standard keys reach their commands; Ctrl+C copies the symbol only outside a text field.
TEST(MainFormKeys, StandardShortcutsRunTheirCommands) {
    TMainForm form;
    THelpForm help;
    HelpForm = &help;
    QStringList ran;
    CommandDialogs& dialogs = form.commandDialogs();
    dialogs.askSavePath = [&](QWidget*) -> std::optional<SaveChoice> {
        ran << "save";
        return std::nullopt;
    };
    dialogs.askPrinter = [&](QWidget*, QPrinter&) {
        ran << "print";
        return false;
    };
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();

    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(ran, (QStringList{"save", "save", "print"}));

    ASSERT_TRUE(form.controls().EANUPC_CodeValue->hasFocus());
    QTest::keyClick(form.controls().EANUPC_CodeValue, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(clipboard->image().isNull()) << "the field copies its own text";
    form.controls().PageControl->setFocus();
    QTest::keyClick(form.controls().PageControl, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(clipboard->image().isNull());

    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_TRUE(help.isVisible());
    QApplication::setActiveWindow(&form);
    QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(help.isVisible());
    HelpForm = nullptr;
}

// Typed as people type it: either decimal separator in either language, and a value past the
// limit held at the limit.
TEST(MainFormOutputSettings, ReductionReadsEitherSeparatorAndHoldsTheLimit) {
    const struct {
        const char* language;
        const char* typed;
        double value;
    } cases[] = {
        {"RUS", "0.085", 0.085}, {"RUS", "0,085", 0.085}, {"RUS", "0,5", 0.1},
        {"ENG", "0,05", 0.05},   {"ENG", "0.25", 0.1},
    };
    for (const auto& c : cases) {
        TMainForm form;
        form.SetLang(c.language);
        form.setSettingsDialogRunner([&](OutputSettingsDialog& d) {
            QDoubleSpinBox* box = d.reductionBox();
            box->selectAll();
            QTest::keyClicks(box, c.typed);
            QTest::keyClick(box, Qt::Key_Return);
        });
        form.controls().OutputSettingsMI->trigger();
        EXPECT_DOUBLE_EQ(form.outputSettings().options.barReductionMm, c.value)
            << c.language << " " << c.typed;
    }
}

// Help opens clear of the menu bar and the tool buttons; Escape closes it; Exit (as closing the
// main window) takes it along, so the program ends.
TEST(MainFormHelp, OpensClearOfTheMenusClosesOnEscapeAndEndsWithTheWindow) {
    TMainForm form;
    THelpForm help;
    HelpForm = &help;
    auto& ui = form.controls();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ui.HelpMI->trigger();
    ASSERT_TRUE(help.isVisible());
    const QRect helpFrame = help.frameGeometry();
    const auto global = [](const QWidget* w) { return QRect(w->mapToGlobal(QPoint()), w->size()); };
    EXPECT_FALSE(helpFrame.intersects(global(form.menuBar())));
    for (const QToolButton* button : {ui.SpeedButton1, ui.SpeedButton6}) {
        EXPECT_FALSE(helpFrame.intersects(global(button))) << button->objectName().toStdString();
    }

    QTest::keyClick(help.RichEdit(), Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());

    ui.HelpMI->trigger();
    ASSERT_TRUE(help.isVisible());
    ui.ExitMI->trigger();
    EXPECT_FALSE(help.isVisible());
    EXPECT_FALSE(form.isVisible());
    HelpForm = nullptr;
}

// The grade at the chosen resolution, as the settings change: 2.64 dots a module at 203 dpi
// grades F, whole-dot modules A; a press spreading 0.085 mm undoes a reduction of as much.
TEST(MainFormOutputSettings, GradeFollowsResolutionWholeDotsAndSpread) {
    TMainForm form;
    form.FormCreate(1033);
    form.controls().EANUPC_CodeValue->setText("4 006381 333931");
    form.setSettingsDialogRunner([&](OutputSettingsDialog& d) {
        const QLabel& grade = *d.gradeNote();
        EXPECT_TRUE(grade.text().startsWith("Grade A at 300 dpi")) << grade.text().toStdString();
        d.dpiBox()->setCurrentIndex(d.dpiBox()->findData(203));
        EXPECT_TRUE(grade.text().startsWith("Grade F at 203 dpi")) << grade.text().toStdString();
        EXPECT_TRUE(grade.text().contains("whole-dot modules: grade A"));
        d.fitBox()->setChecked(true);
        EXPECT_TRUE(grade.text().startsWith("Grade A at 203 dpi")) << grade.text().toStdString();
        d.reductionBox()->setValue(0.1);  // a dot taken off every bar
        d.spreadBox()->setValue(0.125);   // and the press puts it back
        EXPECT_TRUE(grade.text().contains("as printed with 0.125 mm ink spread: A"))
            << grade.text().toStdString();
    });
    form.controls().OutputSettingsMI->trigger();
    EXPECT_EQ(form.outputSettings().inkSpreadMm, 0.125);
}

TEST(CentringOffset, WholeMillimetresTiesToEven) {
    EXPECT_EQ(centringOffset(596, 576, 4.0), 2.0) << "2.5 rounds to 2";
    EXPECT_EQ(centringOffset(596, 568, 4.0), 4.0) << "3.5 rounds to 4";
    EXPECT_EQ(centringOffset(596, 616, 4.0), -2.0) << "-2.5 rounds to -2";
    EXPECT_EQ(centringOffset(596, 149, 4.0), 56.0);
}

}  // namespace
}  // namespace strikon
