// Whole-dot modules on a sheet: drawn at the page's own resolution (the PDF's dpi, the printer's
// resolution), rasterised at that resolution, every bar and space of a label is a whole number of
// modules of whole dots, and the label still scans.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

#include "encoders/check_digit.h"
#include "render/print_sheet.h"
#include "render/symbol_image.h"
#include "tests/support/decoders.h"

namespace strikon {
namespace {

namespace t = strikon::testing;

struct DotCase {
    const char* name;
    Symbology symbology;
    const char* digits;
    uint16_t size;
    t::Symbology decodeAs;
    int dpi;
    bool printer;  // through printSheet on a PDF printer on its own A5 page, else encodeSheetPdf
    int dots;      // the module in whole dots, worked out by hand
    size_t runs;   // bars and spaces between the guards' outer edges
    QSizeF pageMm;
};

QImage firstPage(const QString& pdf, int dpi) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
             QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, pdf + ".page"});
    EXPECT_TRUE(p.waitForFinished(120000) && p.exitCode() == 0) << p.readAllStandardError().data();
    return QImage(pdf + ".page.png").convertToFormat(QImage::Format_Grayscale8);
}

// Widths of the dark and light runs of row `y` between its first and last dark pixel.
std::vector<int> runs(const QImage& g, int y) {
    std::vector<int> out;
    bool last = false;
    for (int x = 0; x < g.width(); ++x) {
        const bool dark = g.constScanLine(y)[x] < 128;
        if (out.empty() ? dark : dark != last) {
            out.push_back(0);
        }
        if (!out.empty()) {
            ++out.back();
        }
        last = dark;
    }
    if (!out.empty() && !last) {
        out.pop_back();
    }
    return out;
}

TEST(SheetDots, WholeDotModulesAtThePagesResolutionStillScan) {
    const DotCase cases[] = {
        // 0.33 mm at 300 dpi: 3.90 dots, fitted to 4. A4 at 300 dpi.
        {"EAN-13 PDF",
         Symbology::EAN13,
         "4006381333931",
         100,
         t::Symbology::EAN13,
         300,
         false,
         4,
         59,
         {210, 297}},
        // 0.264 mm at 600 dpi: 6.24 dots; 6 would be 77 %, below EAN-8's 80 %, so 7. A5 at
        // 600 dpi.
        {"EAN-8 printer",
         Symbology::EAN8,
         "96385074",
         80,
         t::Symbology::EAN8,
         600,
         true,
         7,
         43,
         {148, 210}},
    };
    for (const DotCase& c : cases) {
        SymbolRequest symbol;
        symbol.symbology = c.symbology;
        symbol.digits = c.digits;
        symbol.sizePercent = c.size;
        symbol.output.fitDots = true;
        SheetContent content{{SheetPaper::A4, 2, 2, {70, 37}, 4, 20, 70, 37}, {symbol}, 0};
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        if (c.printer) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(c.dpi);
            printer.setPageSize(QPageSize(QPageSize::A5));
            content.layout.paper = SheetPaper::Printer;
            content.layout = onPrinterPage(content.layout, printer);
            ASSERT_EQ(layoutFault(content.layout).kind, SheetFault::Kind::None) << c.name;
            ASSERT_EQ(printSheet(printer, content), PrintOutcome::Printed) << c.name;
        } else {
            const ValueResult<QByteArray> bytes = encodeSheetPdf(content, c.dpi);
            ASSERT_TRUE(bytes.ok) << c.name << ": " << bytes.error.toStdString();
            QFile file(pdf);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes.value) > 0);
        }
        const QImage page = firstPage(pdf, c.dpi);
        ASSERT_FALSE(page.isNull()) << c.name;
        const double k = c.dpi / kMmPerInch;
        const double halfPoint = c.dpi / 72.0 / 2 + 1;  // the PDF's page is in whole points
        EXPECT_NEAR(page.width(), c.pageMm.width() * k, halfPoint) << c.name;
        EXPECT_NEAR(page.height(), c.pageMm.height() * k, halfPoint) << c.name;
        // The first label, 4 mm and 20 mm from the paper's corner, 70 x 37 mm.
        const QImage label = page.copy(QRectF(4 * k, 20 * k, 70 * k, 37 * k).toRect());
        const std::vector<int> widths = runs(label, label.height() / 2);
        EXPECT_EQ(widths.size(), c.runs) << c.name;
        for (size_t i = 0; i < widths.size(); ++i) {
            EXPECT_EQ(widths[i] % c.dots, 0) << c.name << ": run " << i << " is " << widths[i];
        }
        const t::GreyView view{label.constBits(), label.width(), label.height(),
                               static_cast<int32_t>(label.bytesPerLine())};
        EXPECT_EQ(t::asDrawn(t::readWithZXing(view, c.decodeAs), c.decodeAs), c.digits) << c.name;
        EXPECT_EQ(t::asDrawn(t::readWithZbar(view, c.decodeAs), c.decodeAs), c.digits) << c.name;
    }
}

}  // namespace
}  // namespace strikon
