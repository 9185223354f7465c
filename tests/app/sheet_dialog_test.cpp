// The Print Sheet dialog: its fields turned into a sheet, faults shown in the window's language
// with printing held back, and a numbered run printed through the preview seam to a PDF file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "app/sheet_dialog.h"
#include "app/sheet_wording.h"
#include "tests/support/decoders.h"

namespace strikon {
namespace {

SymbolRequest ean13() {
    SymbolRequest r;
    r.digits = "4006381333931";
    return r;
}

template <typename T>
T* field(SheetDialog& dialog, const char* name) {
    T* w = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

SymbolRequest upce() {
    SymbolRequest r;
    r.symbology = Symbology::UPCE;
    r.digits = "01234505";
    return r;
}

// A second Print Sheet of the run opens as the first was left: custom layout, run, step, skip.
TEST(SheetDialog, ChoicesAreKeptForTheNextDialogOfTheRun) {
    SheetDialog::Kept store;
    {
        SheetDialog first(ean13(), Language::English, nullptr);
        first.keepChoicesIn(store);
        auto* list = field<QComboBox>(first, "SheetLayoutList");
        list->setCurrentIndex(list->count() - 1);                   // Custom
        first.findChildren<QSpinBox*>()[0]->setValue(2);            // columns
        first.findChildren<QDoubleSpinBox*>()[4]->setValue(110.5);  // horizontal pitch
        field<QRadioButton>(first, "SheetRun")->setChecked(true);
        field<QSpinBox>(first, "SheetStep")->setValue(10);
        field<QSpinBox>(first, "SheetSkip")->setValue(3);
        field<QSpinBox>(first, "SheetLabelCount")->setValue(7);
    }
    SheetDialog second(ean13(), Language::English, nullptr);
    second.keepChoicesIn(store);
    auto* list = field<QComboBox>(second, "SheetLayoutList");
    EXPECT_EQ(list->currentIndex(), list->count() - 1);
    EXPECT_EQ(second.findChildren<QSpinBox*>()[0]->value(), 2);
    EXPECT_EQ(second.findChildren<QDoubleSpinBox*>()[4]->value(), 110.5);
    EXPECT_TRUE(field<QRadioButton>(second, "SheetRun")->isChecked());
    EXPECT_EQ(field<QSpinBox>(second, "SheetStep")->value(), 10);
    EXPECT_EQ(field<QSpinBox>(second, "SheetSkip")->value(), 3);
    const SheetDialog::Choice c = second.choice();
    ASSERT_EQ(c.content.labels.size(), 7u);
    EXPECT_EQ(c.content.skip, 3);
    EXPECT_EQ(c.content.layout.columns, 2);
}

// Landscape pressed in the preview of a sheet laid out on upright paper: the buttons show the
// page as it is printed, upright, instead of a pressed Landscape that changes nothing.
TEST(SheetDialog, PreviewShowsTheOrientationTheSheetIsPrintedIn) {
    SheetDialog dialog(ean13(), Language::English, nullptr);
    bool looked = false;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        QAction* portrait = nullptr;
        QAction* landscape = nullptr;
        for (QAction* action : preview->findChildren<QAction*>()) {
            if (action->text() == "Portrait") {
                portrait = action;
            } else if (action->text() == "Landscape") {
                landscape = action;
            }
        }
        ASSERT_TRUE(portrait != nullptr && landscape != nullptr);
        landscape->trigger();
        EXPECT_TRUE(portrait->isChecked());
        EXPECT_FALSE(landscape->isChecked());
        EXPECT_FALSE(landscape->isEnabled());
        looked = true;
        preview->reject();
    });
    dialog.previewAndPrint();
    EXPECT_TRUE(looked);
}

TEST(SheetDialog, FaultsAreShownInTheWindowsLanguageAndHoldPrintingBack) {
    enum Fields { AsListed, TwoColumns60Apart, OnA5Printer, Run100 };
    const struct {
        int layout;  // index in the list; 5 is Custom, starting from the first built-in
        Fields fields;
        Language language;
        const char* fault;  // the text shown, "" for none
    } cases[] = {
        {0, AsListed, Language::English, ""},
        {2, AsListed, Language::English,
         "The sheet cannot be printed: EAN-13 4006381333931 is 37.30 × 25.91 mm, larger "
         "than its label of 48.5 × 25.4 mm"},
        {2, AsListed, Language::Russian,
         "Лист нельзя напечатать: EAN-13 4006381333931 размером 37,30 × 25,91 мм больше своей "
         "этикетки 48,5 × 25,4 мм"},
        {5, TwoColumns60Apart, Language::Russian,
         "Лист нельзя напечатать: этикетки налезают друг на друга: шаг по горизонтали 60 мм "
         "меньше ширины этикетки 70 мм"},
        {5, OnA5Printer, Language::Russian,
         "Лист нельзя напечатать: этикетки выходят за край листа: столбцы занимают от 0 до 210 мм, "
         "а ширина бумаги A5 — 148 мм"},
        {5, OnA5Printer, Language::English,
         "The sheet cannot be printed: labels off the page: the columns span 0 to 210 mm, the A5 "
         "paper is 148 mm wide"},
        {0, Run100, Language::Russian,
         "Лист нельзя напечатать: у UPC-A 012000010453 нет формы UPC-E; ряд UPC-E прерван, "
         "готово этикеток: 7"},
    };
    for (const auto& c : cases) {
        SheetDialog dialog(c.fields == Run100 ? upce() : ean13(), c.language, nullptr,
                           [](auto&&...) {});
        field<QComboBox>(dialog, "SheetLayoutList")->setCurrentIndex(c.layout);
        auto spins = dialog.findChildren<QSpinBox*>();  // columns, rows, count, step, skip
        if (c.fields == TwoColumns60Apart) {
            spins[0]->setValue(2);
            dialog.findChildren<QDoubleSpinBox*>()[4]->setValue(60);
        } else if (c.fields == OnA5Printer) {
            dialog.printer().setPageSize(QPageSize(QPageSize::A5));
            field<QComboBox>(dialog, "SheetPaper")->setCurrentIndex(2);
        } else if (c.fields == Run100) {
            dialog.findChildren<QRadioButton*>()[1]->setChecked(true);
            spins[3]->setValue(100);
            field<QSpinBox>(dialog, "SheetLabelCount")->setValue(8);
        }
        const QString shown = field<QLabel>(dialog, "SheetFault")->text();
        EXPECT_EQ(shown.toStdString(), c.fault) << c.layout << " " << c.fields;
        EXPECT_EQ(field<QPushButton>(dialog, "SheetPrint")->isEnabled(), *c.fault == '\0');
    }
}

// Every fault has a Russian sentence naming the same values as the English one.
// Label stock by its maker's code, from templates written here: found by brand and part, it
// fills the fields and the paper; what is special about it, or missing, is said.
TEST(SheetDialog, FindsLabelStockByItsMakersCode) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("acme-templates.xml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<Glabels-templates>
  <Template brand="Acme" part="Two-Grid" size="A4" _description="Mixed">
    <Label-rectangle id="0" width="60mm" height="40mm">
      <Layout nx="2" ny="2" x0="10mm" y0="10mm" dx="70mm" dy="50mm"/>
      <Layout nx="1" ny="2" x0="145mm" y0="10mm" dy="120mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="R60" size="US-Letter">
    <Label-round id="0" radius="30mm"><Layout nx="3" ny="1" x0="10mm" y0="10mm" dx="65mm"/></Label-round>
  </Template>
  <Template brand="Acme" part="Roll" size="Other" width="62mm" height="100mm">
    <Label-rectangle id="0" width="60mm" height="30mm"><Layout nx="1" ny="3" x0="1mm" y0="2mm" dy="32mm"/></Label-rectangle>
  </Template>
</Glabels-templates>)");
    file.close();
    const struct {
        const char* search;
        const char* layoutItem;
        const char* paper;
        int perPage;
        const char* note;
    } cases[] = {
        {"acme two", "Acme Two-Grid (A4, 6 labels, 60 \u00D7 40 mm)", "A4", 6, "has 2 grids"},
        {"r60", "Acme R60 (Letter, 3 \u00D7 1, \u2300 60 mm)", "Letter", 3,
         "largest rectangle inside the label, 42.4 \u00D7 42.4 mm"},
        {"ROLL", "Acme Roll (62 \u00D7 100 mm, 1 \u00D7 3, 60 \u00D7 30 mm)", "62 \u00D7 100 mm", 3,
         ""},
    };
    qputenv("STRIKON_LABEL_TEMPLATES", QFile::encodeName(folder.path()));
    SheetDialog dialog(ean13(), Language::English, nullptr);
    for (const auto& c : cases) {
        field<QLineEdit>(dialog, "SheetSearch")->setText(QString::fromLatin1(c.search));
        auto* list = field<QListWidget>(dialog, "SheetProducts");
        ASSERT_EQ(list->count(), 1) << c.search;
        list->setCurrentRow(0);
        EXPECT_EQ(field<QComboBox>(dialog, "SheetLayoutList")->currentText(),
                  QString::fromUtf8(c.layoutItem));
        EXPECT_EQ(field<QComboBox>(dialog, "SheetPaper")->currentText(),
                  QString::fromUtf8(c.paper));
        EXPECT_EQ(dialog.choice().content.layout.labelsPerPage(), c.perPage) << c.search;
        EXPECT_FALSE(dialog.choice().fault) << c.search;
        EXPECT_EQ(field<QSpinBox>(dialog, "SheetLabelCount")->value(), c.perPage);
        EXPECT_TRUE(
            field<QLabel>(dialog, "SheetProductNote")->text().contains(QString::fromUtf8(c.note)))
            << field<QLabel>(dialog, "SheetProductNote")->text().toStdString();
    }
    qputenv("STRIKON_LABEL_TEMPLATES", QFile::encodeName(folder.filePath(QStringLiteral("none"))));
    SheetDialog without(ean13(), Language::Russian, nullptr);
    EXPECT_FALSE(field<QLineEdit>(without, "SheetSearch")->isEnabled());
    EXPECT_TRUE(
        field<QLabel>(without, "SheetProductNote")
            ->text()
            .contains(QStringLiteral("glabels-data (/usr/share/libglabels-3.0/templates)")));
    qunsetenv("STRIKON_LABEL_TEMPLATES");
}

// Dual marking is offered for a GS1-QR only, off at first, and greyed out with its reason for
// a GTIN that has no retail linear symbol.
TEST(SheetDialog, DualMarkingIsOfferedWhereTheQrsGtinHasALinearSymbol) {
    const struct {
        Symbology symbology;
        const char* elements;
        Language language;
        bool shown, enabled;
        const char* tooltip;
    } cases[] = {
        {Symbology::GS1QR, "(01)09506000134352(21)7", Language::English, true, true, ""},
        {Symbology::GS1QR, "(01)19506000134359", Language::Russian, true, false,
         "У GTIN 19506000134359 нет кода EAN-13, UPC-A или EAN-8 для печати рядом с QR: "
         "индикатор 1 обозначает групповую упаковку или товар переменной меры, а не товар "
         "розничной продажи"},
        {Symbology::GS1DataMatrix, "(01)09506000134352", Language::English, false, false,
         "Dual marking prints the EAN-13, UPC-A or EAN-8 of a GS1-QR's GTIN beside it, and "
         "GS1-DataMatrix (01)09506000134352 is not a GS1-QR"},
    };
    for (const auto& c : cases) {
        SymbolRequest symbol;
        symbol.symbology = c.symbology;
        symbol.gs1.elementString = c.elements;
        SheetDialog dialog(symbol, c.language, nullptr, [](auto&&...) {});
        auto* box = field<QCheckBox>(dialog, "SheetDualMarking");
        EXPECT_EQ(!box->isHidden(), c.shown) << c.elements;
        EXPECT_EQ(box->isEnabled(), c.enabled) << c.elements;
        EXPECT_EQ(box->toolTip().toStdString(), c.tooltip);
        EXPECT_FALSE(box->isChecked());
        box->setChecked(true);
        EXPECT_EQ(dialog.choice().content.dualMarking, c.enabled) << c.elements;
        EXPECT_FALSE(dialog.choice().fault) << c.elements;
    }
}

TEST(SheetDialog, EveryFaultHasItsRussianSentence) {
    using K = SheetFault::Kind;
    for (int k = static_cast<int>(K::NoGrid); k <= static_cast<int>(K::NoRetailSymbol); ++k) {
        SheetFault fault{static_cast<K>(k), {}};
        while (faultText(fault).contains(u'%') && fault.values.size() < 6) {
            fault.values.push_back(faultName(QStringLiteral("<%1>").arg(fault.values.size())));
        }
        const QString russian = sheetFaultText(fault, Language::Russian);
        EXPECT_NE(russian, faultText(fault)) << k;
        EXPECT_FALSE(russian.contains(u'%')) << k;
        for (const SheetFault::Value& v : fault.values) {
            EXPECT_TRUE(russian.contains(v.name)) << k << ": " << russian.toStdString();
        }
    }
}

TEST(SheetDialog, RunOfThirtyPrintsTwoPagesThatScan) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    SheetDialog dialog(
        ean13(), Language::Russian, nullptr,
        [&](QWidget*, QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            paint(&printer);
        });
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Печать листа"));
    dialog.findChildren<QRadioButton*>()[1]->setChecked(true);  // numbered run, step 1
    field<QSpinBox>(dialog, "SheetLabelCount")->setValue(30);
    dialog.previewAndPrint();
    EXPECT_TRUE(field<QLabel>(dialog, "SheetFault")->text().isEmpty());

    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {"-r", "300", "-gray", "-png", pdf, dir.filePath("p")});
    ASSERT_TRUE(p.waitForFinished(120000) && p.exitCode() == 0);
    EXPECT_TRUE(QImage(dir.filePath("p-3.png")).isNull()) << "a third page";
    // The second page's first label: the 25th number, 400638133393 + 24.
    const QImage page = QImage(dir.filePath("p-2.png")).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(page.isNull());
    const QImage label = page.copy(QRect(0, 6, 827, 437));  // 0, 0.5 mm, 70 x 37 mm at 300 dpi
    const testing::GreyView view{label.constBits(), label.width(), label.height(),
                                 static_cast<int32_t>(label.bytesPerLine())};
    EXPECT_EQ(testing::asDrawn(testing::readWithZbar(view, testing::Symbology::EAN13),
                               testing::Symbology::EAN13),
              "4006381334174");
}

}  // namespace
}  // namespace strikon

namespace strikon {
namespace {

// At the printer's resolution before printing: the grade, and whole-dot modules offered in one
// click below C, kept by the window.
TEST(SheetDialog, GradeAtThePrintersResolutionOffersWholeDots) {
    bool kept = false;
    SheetDialog dialog(ean13(), Language::English, nullptr);
    dialog.setUseWholeDots([&] { kept = true; });
    dialog.printer().setResolution(203);
    dialog.updateGrade();
    EXPECT_TRUE(dialog.gradeLabel()->text().startsWith("Grade F at 203 dpi"))
        << dialog.gradeLabel()->text().toStdString();
    ASSERT_FALSE(dialog.wholeDotsButton()->isHidden());
    dialog.wholeDotsButton()->click();
    EXPECT_TRUE(kept);
    EXPECT_TRUE(dialog.symbol().output.fitDots);
    EXPECT_TRUE(dialog.gradeLabel()->text().startsWith("Grade A at 203 dpi"))
        << dialog.gradeLabel()->text().toStdString();
    EXPECT_TRUE(dialog.wholeDotsButton()->isHidden());
    EXPECT_TRUE(dialog.choice().content.labels.front().output.fitDots);
}

}  // namespace
}  // namespace strikon
