// The Print Sheet dialog: its fields turned into a sheet, faults shown in words with printing
// held back, and a numbered run printed through the preview seam to a PDF file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "app/sheet_dialog.h"
#include "tests/encoders/decode/decoders.h"

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

TEST(SheetDialog, FaultsAreShownAndHoldPrintingBack) {
    const struct {
        int layout;  // index in the list; the last is Custom
        int count;
        int skip;
        const char* fault;  // start of the text shown, "" for none
    } cases[] = {
        {0, 24, 0, ""},
        {2, 1, 0, "The sheet cannot be printed: EAN-13 4006381333931 is 37."},  // 48.5 x 25.4
        {5, 10, 0, "The sheet cannot be printed: labels overlap"},  // Custom starts at 1 x 1 ...
    };
    for (const auto& c : cases) {
        SheetDialog dialog(ean13(), false, nullptr, [](auto&&...) {});
        field<QComboBox>(dialog, "SheetLayoutList")->setCurrentIndex(c.layout);
        if (c.layout == 5) {  // two columns of 70 mm labels 60 mm apart
            auto spins = dialog.findChildren<QSpinBox*>();
            spins[0]->setValue(2);
            auto mm = dialog.findChildren<QDoubleSpinBox*>();
            mm[4]->setValue(60);
        }
        field<QSpinBox>(dialog, "SheetLabelCount")->setValue(c.count);
        field<QSpinBox>(dialog, "SheetSkip")->setValue(c.skip);
        const QString shown = field<QLabel>(dialog, "SheetFault")->text();
        EXPECT_TRUE(*c.fault ? shown.startsWith(QString::fromUtf8(c.fault)) : shown.isEmpty())
            << c.layout << ": " << shown.toStdString();
        EXPECT_EQ(field<QPushButton>(dialog, "SheetPrint")->isEnabled(), *c.fault == '\0');
    }
}

TEST(SheetDialog, RunOfThirtyPrintsTwoPagesThatScan) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    SheetDialog dialog(
        ean13(), true, nullptr,
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
