// Sheets of labels written as PDF, rasterised by poppler at 300 dpi and cut at the labels of
// the layout: each label must scan, through two decoders, as the number it was given, blank
// labels and the paper between labels must hold no ink.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <map>

#include "cli/run.h"
#include "render/label_templates.h"
#include "render/sheet_layout.h"
#include "tests/support/decoders.h"

namespace strikon::cli {
namespace {

using strikon::testing::Symbology;
constexpr double kPxPerMm = 300 / 25.4;

struct SheetCase {
    const char* args;  // split at '|'; the output is added
    const char* layout;
    SheetPaper paper;
    Symbology symbology;
    // For each page, the labels that hold a symbol: slot -> the digits read, check digit
    // excluded (the decoders refuse a wrong one).
    std::vector<std::map<int, std::string>> pages;
};

std::vector<QImage> rasterise(const QString& pdf, const QString& prefix) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
             QStringLiteral("-png"), pdf, prefix});
    EXPECT_TRUE(p.waitForFinished(120000) && p.exitCode() == 0) << p.readAllStandardError().data();
    std::vector<QImage> pages;
    for (int n = 1;; ++n) {
        const QImage page(QStringLiteral("%1-%2.png").arg(prefix).arg(n));
        if (page.isNull()) {
            return pages;
        }
        pages.push_back(page.convertToFormat(QImage::Format_Grayscale8));
    }
}

QRect labelPixels(const SheetLayout& layout, int slot) {
    const QRectF mm = layout.labelRectMm(slot);
    return QRect(QPoint(static_cast<int>(std::floor(mm.left() * kPxPerMm)),
                        static_cast<int>(std::floor(mm.top() * kPxPerMm))),
                 QPoint(static_cast<int>(std::ceil(mm.right() * kPxPerMm)) - 1,
                        static_cast<int>(std::ceil(mm.bottom() * kPxPerMm)) - 1));
}

int inkIn(const QImage& grey) {
    int dark = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            dark += row[x] < 128 ? 1 : 0;
        }
    }
    return dark;
}

void expectPage(const QImage& page, const SheetLayout& layout, const SheetCase& c, int n) {
    const QSizeF paper = layout.paperMm();
    EXPECT_NEAR(page.width(), paper.width() * kPxPerMm, 2) << c.args;
    EXPECT_NEAR(page.height(), paper.height() * kPxPerMm, 2) << c.args;
    QImage between = page;
    QPainter blank(&between);
    for (int slot = 0; slot < layout.labelsPerPage(); ++slot) {
        const QRect rect = labelPixels(layout, slot) & page.rect();  // copy() pads with black
        blank.fillRect(rect, Qt::white);
        const QImage label = page.copy(rect);
        const auto expected = c.pages[n].find(slot);
        const std::string where = std::string(c.args) + ", page " + std::to_string(n + 1) +
                                  ", label " + std::to_string(slot);
        if (expected == c.pages[n].end()) {
            EXPECT_EQ(inkIn(label), 0) << where;
            continue;
        }
        const strikon::testing::GreyView view{label.constBits(), label.width(), label.height(),
                                              static_cast<int32_t>(label.bytesPerLine())};
        if (c.symbology >= Symbology::QRCode) {
            // GS1 symbols: the whole text read, by ZXing (zbar reads no DataMatrix).
            const auto reads = strikon::testing::readWithZXing(view, c.symbology);
            ASSERT_EQ(reads.size(), 1U) << where;
            EXPECT_EQ(reads.front().text, expected->second) << where;
            continue;
        }
        for (const auto& reads : {strikon::testing::readWithZXing(view, c.symbology),
                                  strikon::testing::readWithZbar(view, c.symbology)}) {
            const std::string read = strikon::testing::asDrawn(reads, c.symbology);
            EXPECT_EQ(read.size(), expected->second.size() + 1) << where << ": " << read;
            EXPECT_EQ(read.substr(0, expected->second.size()), expected->second) << where;
        }
    }
    blank.end();
    EXPECT_EQ(inkIn(between), 0) << c.args << ", page " << n + 1 << ": ink outside the labels";
}

std::map<int, std::string> runOf(int firstSlot, int lastSlot, long long firstNumber) {
    std::map<int, std::string> numbers;
    for (int s = firstSlot; s <= lastSlot; ++s) {
        numbers[s] = std::to_string(firstNumber + s - firstSlot);
    }
    return numbers;
}

void expectSheet(const SheetCase& c, const SheetLayout& layout) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    const QString rows = dir.filePath(QStringLiteral("rows.csv"));
    QFile csv(rows);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("digits\n4006381333931\n4006381334174\n5901234123457\n");
    csv.close();
    QString messages;
    QTextStream stream(&messages);
    const QStringList args = QString::fromLatin1(c.args).replace("ROWS", rows).split(u'|')
                             << QStringLiteral("--output") << pdf;
    ASSERT_EQ(run(args, stream, stdout), kAllWritten) << c.args << messages.toStdString();
    // ITF-14 at 50 % has bars 16 mm tall, which GS1 finds too short on cartons.
    EXPECT_TRUE(messages.isEmpty() || (c.symbology == decltype(c.symbology)::ITF14 &&
                                       messages.count(QStringLiteral("warning")) == 1 &&
                                       messages.contains(QStringLiteral("16.0 mm tall"))))
        << messages.toStdString();
    const std::vector<QImage> pages = rasterise(pdf, dir.filePath(QStringLiteral("p")));
    ASSERT_EQ(pages.size(), c.pages.size()) << c.args;
    for (size_t n = 0; n < pages.size(); ++n) {
        expectPage(pages[n], layout, c, static_cast<int>(n));
    }
}

TEST(Sheet, EachLabelScansAsItsNumberInsideItsRectangle) {
    const SheetCase cases[] = {
        // 30 consecutive EAN-13 on a 3 x 8 sheet: 24 on the first page, 6 on the second.
        {"--type|EAN-13|--digits|4006381333931|--sheet|A4-3x8|--run|30",
         "A4-3x8",
         SheetPaper::A4,
         Symbology::EAN13,
         {runOf(0, 23, 400638133393), runOf(0, 5, 400638133417)}},
        {"--type|EAN-8|--digits|96385074|--sheet|A4-3x8|--copies|5|--skip|22",
         "A4-3x8",
         SheetPaper::A4,
         Symbology::EAN8,
         {{{22, "9638507"}, {23, "9638507"}}, {{0, "9638507"}, {1, "9638507"}, {2, "9638507"}}}},
        // Without --copies or --run the rest of the sheet is filled.
        {"--type|UPC-E|--digits|01234505|--sheet|2x2,60x40,10,10,70,50|--page|Letter|--run|3,"
         "100|--skip|1",
         "2x2,60x40,10,10,70,50",
         SheetPaper::Letter,
         Symbology::UPCE,
         {{{1, "0123450"}, {2, "0124450"}, {3, "0125450"}}}},
        {"--type|ITF-14|--digits|15400141288763|--size|50|--sheet|A4-2x7|--skip|12",
         "A4-2x7",
         SheetPaper::A4,
         Symbology::ITF14,
         {{{12, "1540014128876"}, {13, "1540014128876"}}}},
        // GS1: a run counts the serial number (21) in its width; a QR beside an EAN-13's GTIN.
        {"--type|GS1-DataMatrix|--gs1|(01)09506000134352(21)A0098|--sheet|A4-3x8|--run|3",
         "A4-3x8",
         SheetPaper::A4,
         Symbology::DataMatrix,
         {{{0, "010950600013435221A0098"},
           {1, "010950600013435221A0099"},
           {2, "010950600013435221A0100"}}}},
        {"--type|GS1-QR|--digits|4006381333931|--sheet|A4-4x10|--copies|2",
         "A4-4x10",
         SheetPaper::A4,
         Symbology::QRCode,
         {{{0, "https://id.gs1.org/01/04006381333931"},
           {1, "https://id.gs1.org/01/04006381333931"}}}},
        // A batch file: one label a row, in row order.
        {"--batch|ROWS|--type|EAN-13|--sheet|A4-3x8|--skip|1",
         "A4-3x8",
         SheetPaper::A4,
         Symbology::EAN13,
         {{{1, "400638133393"}, {2, "400638133417"}, {3, "590123412345"}}}},
    };
    for (const SheetCase& c : cases) {
        const LayoutResult layout = parseLayout(QString::fromLatin1(c.layout), c.paper);
        ASSERT_TRUE(layout.ok);
        expectSheet(c, layout.value);
    }
}

// The columns of `grey` that hold ink, as [first, last] of the widest blank run between the
// first and the last inked column: where one symbol of a pair ends and the other begins.
std::pair<int, int> widestGap(const QImage& grey) {
    std::vector<bool> inked(static_cast<size_t>(grey.width()));
    for (int x = 0; x < grey.width(); ++x) {
        for (int y = 0; y < grey.height() && !inked[static_cast<size_t>(x)]; ++y) {
            inked[static_cast<size_t>(x)] = grey.constScanLine(y)[x] < 128;
        }
    }
    std::pair<int, int> best{0, -1};
    int lastInk = -1;
    for (int x = 0; x < grey.width(); ++x) {
        if (!inked[static_cast<size_t>(x)]) {
            continue;
        }
        if (lastInk >= 0 && x - lastInk - 1 > best.second - best.first + 1) {
            best = {lastInk + 1, x - 1};
        }
        lastInk = x;
    }
    return best;
}

// Dual marking: the linear symbol of the QR's GTIN on the left of each label, the QR on the
// right, each read whole on its own side of a blank band at least the QR's 4X quiet zone wide;
// a run changes the QR's serial and nothing else, and no ink leaves the labels.
TEST(Sheet, DualMarkingPutsTheGtinsLinearSymbolBesideEachQr) {
    const struct {
        const char* args;
        Symbology linear;
        const char* digits;                  // the linear symbol's, check digit included
        std::map<int, std::string> qrTexts;  // slot -> the Digital Link read
    } cases[] = {
        {"--type|GS1-QR|--gs1|(01)09506000134352(21)7|--run|2|--skip|1",
         Symbology::EAN13,
         "9506000134352",
         {{1, "https://id.gs1.org/01/09506000134352/21/7"},
          {2, "https://id.gs1.org/01/09506000134352/21/8"}}},
        {"--type|GS1-QR|--digits|012345678905|--copies|1",
         Symbology::UPCA,
         "012345678905",
         {{0, "https://id.gs1.org/01/00012345678905"}}},
        {"--type|GS1-QR|--digits|96385074|--copies|1",
         Symbology::EAN8,
         "96385074",
         {{0, "https://id.gs1.org/01/00000096385074"}}},
    };
    const LayoutResult layout = parseLayout(QStringLiteral("A4-3x8"), SheetPaper::A4);
    ASSERT_TRUE(layout.ok);
    const int quietZone = static_cast<int>(4 * 0.495 * kPxPerMm);
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        QString messages;
        QTextStream stream(&messages);
        const QStringList args = QString::fromLatin1(c.args).split(u'|') << "--sheet"
                                                                         << "A4-3x8"
                                                                         << "--dual-marking"
                                                                         << "--output" << pdf;
        ASSERT_EQ(run(args, stream, stdout), kAllWritten) << c.args << messages.toStdString();
        const std::vector<QImage> pages = rasterise(pdf, dir.filePath(QStringLiteral("p")));
        ASSERT_EQ(pages.size(), 1U) << c.args;
        QImage between = pages[0];
        QPainter blank(&between);
        for (const auto& [slot, uri] : c.qrTexts) {
            const QRect rect = labelPixels(layout.value, slot);
            blank.fillRect(rect, Qt::white);
            const QImage label = pages[0].copy(rect);
            const auto [gapStart, gapEnd] = widestGap(label);
            ASSERT_GE(gapEnd - gapStart + 1, quietZone) << c.args << ", label " << slot;
            const QImage left = label.copy(0, 0, gapStart, label.height());
            const QImage right =
                label.copy(gapEnd + 1, 0, label.width() - gapEnd - 1, label.height());
            const auto view = [](const QImage& g) {
                return strikon::testing::GreyView{g.constBits(), g.width(), g.height(),
                                                  static_cast<int32_t>(g.bytesPerLine())};
            };
            for (const auto& read :
                 {strikon::testing::readWithZXing, strikon::testing::readWithZbar}) {
                EXPECT_EQ(strikon::testing::asDrawn(read(view(left), c.linear), c.linear), c.digits)
                    << c.args << ", label " << slot;
                const auto qr = read(view(right), Symbology::QRCode);
                ASSERT_EQ(qr.size(), 1U) << c.args << ", label " << slot;
                EXPECT_EQ(qr.front().text, uri) << c.args << ", label " << slot;
            }
        }
        blank.end();
        EXPECT_EQ(inkIn(between), 0) << c.args << ": ink outside the labels";
    }
}

// --check reports each different label once: copies are one symbol, every number of a run its
// own, GS1 serials included.
TEST(Sheet, CheckReportsEachDifferentLabel) {
    const struct {
        const char* args;
        int reported;
    } cases[] = {
        {"--type|EAN-13|--digits|4006381333931|--copies|3", 1},
        {"--type|EAN-13|--digits|4006381333931|--run|3", 3},
        {"--type|GS1-QR|--gs1|(01)09506000134352(21)7|--run|3|--dual-marking", 3},
    };
    for (const auto& c : cases) {
        QString messages;
        QTextStream stream(&messages);
        std::FILE* out = std::tmpfile();
        const QStringList args = QString::fromLatin1(c.args).split(u'|') << "--sheet"
                                                                         << "A4-3x8"
                                                                         << "--check";
        EXPECT_EQ(run(args, stream, out), kAllWritten) << c.args << messages.toStdString();
        std::rewind(out);
        QFile report;
        ASSERT_TRUE(report.open(out, QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(report.readAll()).count(QStringLiteral("label: ")), c.reported)
            << c.args;
        report.close();
        std::fclose(out);
    }
}

// Label stock by its maker's code: a template of two grids written here, in reading order of
// its grids with --skip across them, and three well-known A4 and Letter sheets of the
// installed glabels-data.
TEST(Sheet, MakersLabelStockScansInsideItsLabels) {
    QTemporaryDir fixture;
    QFile file(fixture.filePath(QStringLiteral("t-templates.xml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<Glabels-templates>
  <Template brand="Acme Labels" part="Two-Grid" size="A4">
    <Label-rectangle id="0" width="60mm" height="40mm">
      <Layout nx="2" ny="2" x0="10mm" y0="10mm" dx="70mm" dy="50mm"/>
      <Layout nx="1" ny="2" x0="145mm" y0="10mm" dy="120mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme Labels" part="Round" size="US-Letter">
    <Label-round id="0" radius="30mm"><Layout nx="2" ny="1" x0="10mm" y0="10mm" dx="70mm"/></Label-round>
  </Template>
</Glabels-templates>)");
    file.close();
    const SheetCase fixtures[] = {
        {"--type|EAN-13|--digits|4006381333931|--sheet|acme labels:two-grid|--run|5|--skip|2",
         "Acme Labels:Two-Grid",
         SheetPaper::A4,
         Symbology::EAN13,
         {runOf(2, 5, 400638133393), runOf(0, 0, 400638133397)}},
        {"--type|EAN-8|--digits|96385074|--size|80|--sheet|ACME LABELS:round|--skip|1",
         "Acme Labels:Round",
         SheetPaper::Letter,
         Symbology::EAN8,
         {{{1, "9638507"}}}},
    };
    qputenv("STRIKON_LABEL_TEMPLATES", QFile::encodeName(fixture.path()));
    const TemplateCatalogue written = readTemplateFolder(templateFolder());
    for (const SheetCase& c : fixtures) {
        const LabelProduct* product = productNamed(written, QString::fromLatin1(c.layout));
        ASSERT_NE(product, nullptr) << c.layout;
        expectSheet(c, product->layout);
    }
    qunsetenv("STRIKON_LABEL_TEMPLATES");
    const TemplateCatalogue installed = readTemplateFolder(templateFolder());
    if (installed.products.empty()) {
        GTEST_SKIP() << "glabels-data is not installed";
    }
    const SheetCase products[] = {
        {"--type|EAN-13|--digits|4006381333931|--sheet|avery:l7160|--run|23|--skip|2",
         "Avery:L7160",
         SheetPaper::A4,
         Symbology::EAN13,
         {runOf(2, 20, 400638133393), runOf(0, 3, 400638133412)}},
        {"--type|EAN-13|--digits|5901234123457|--sheet|Avery:5160|--run|12|--size|80",
         "Avery:5160",
         SheetPaper::Letter,
         Symbology::EAN13,
         {runOf(0, 11, 590123412345)}},
        {"--type|EAN-13|--digits|4006381333931|--sheet|HERMA:4677|--run|3|--skip|20",
         "Herma:4677",
         SheetPaper::A4,
         Symbology::EAN13,
         {runOf(20, 20, 400638133393), runOf(0, 1, 400638133394)}},
    };
    for (const SheetCase& c : products) {
        const LabelProduct* product = productNamed(installed, QString::fromLatin1(c.layout));
        ASSERT_NE(product, nullptr) << c.layout;
        expectSheet(c, product->layout);
    }
}

}  // namespace
}  // namespace strikon::cli
