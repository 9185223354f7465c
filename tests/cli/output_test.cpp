// Every format written and read back: pictures exactly the bounding rectangle at the dpi, with
// the dpi stored; SVG and PDF exactly the symbol's size in millimetres; and what was drawn
// scans, through two decoders, as the digits asked for (the PDF after poppler rasterises it,
// the SVG after Qt's own renderer draws it).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <set>

#include "cli/render_job.h"
#include "cli/symbol_output.h"
#include "render/draw_symbol.h"
#include "render/symbol_image.h"
#include "tests/support/decoders.h"

namespace strikon::cli {
namespace {

using strikon::testing::Symbology;

struct Case {
    const char* type;
    const char* digits;
    const char* addon;
    int size;
    int dpi;
    Symbology symbology;
};

// Chosen inside what both decoders read (see tests/encoders/decode for their measured limits).
const Case kCases[] = {
    {"EAN-13", "4006381333931", "52495", 100, 300, Symbology::EAN13},
    {"EAN-8", "96385074", "", 80, 600, Symbology::EAN8},
    {"UPC-A", "036000291452", "", 100, 300, Symbology::UPCA},
    {"UPC-E", "04252614", "12", 150, 300, Symbology::UPCE},
    {"ITF-14", "15400141288763", "", 50, 600, Symbology::ITF14},
};

RenderJob jobFor(const Case& c, const QString& path) {
    OptionValues v;
    v.type = QString::fromLatin1(c.type);
    v.digits = QString::fromLatin1(c.digits);
    v.addon = QString::fromLatin1(c.addon);
    v.size = QString::number(c.size);
    v.dpi = QString::number(c.dpi);
    v.output = path;
    const JobResult r = buildJob(v);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return r.value;
}

QSize boundsOf(const RenderJob& job) {
    Rect r;
    renderSymbol(job.symbol, nullptr, r, 0, 0, job.pxPerMm(), job.pxPerMm());
    return {r.right - r.left, r.bottom - r.top};
}

std::string label(const Case& c, const char* format) {
    return std::string(c.type) + " " + c.digits + c.addon + " as " + format;
}

// Both decoders must read every digit drawn, add-on included.
void expectScans(const QImage& picture, const Case& c, const std::string& what) {
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const strikon::testing::GreyView view{grey.constBits(), grey.width(), grey.height(),
                                          static_cast<int32_t>(grey.bytesPerLine())};
    const std::string expected = std::string(c.digits) + c.addon;
    const auto zxing = strikon::testing::readWithZXing(view, c.symbology);
    const auto zbar = strikon::testing::readWithZbar(view, c.symbology);
    EXPECT_EQ(strikon::testing::asDrawn(zxing, c.symbology), expected)
        << what << ", ZXing read " << strikon::testing::describe(zxing);
    EXPECT_EQ(strikon::testing::asDrawn(zbar, c.symbology), expected)
        << what << ", zbar read " << strikon::testing::describe(zbar);
}

bool write(const RenderJob& job) {
    const WriteResult w = writeSymbol(job);
    EXPECT_TRUE(w.ok) << w.error.toStdString();
    return w.ok;
}

class OutputTest : public ::testing::TestWithParam<Case> {
  protected:
    QTemporaryDir dir_;
};

TEST_P(OutputTest, PicturesAreTheBoundingRectangleWithTheirDensityAndScan) {
    const Case& c = GetParam();
    for (const char* name : {"s.bmp", "s.jpg", "s.jpeg", "s.png"}) {
        const RenderJob job = jobFor(c, dir_.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(write(job));
        const QImage picture(job.output);
        ASSERT_FALSE(picture.isNull()) << label(c, name);
        EXPECT_EQ(picture.size(), boundsOf(job)) << label(c, name);
        const int dotsPerMetre = static_cast<int>(std::lround(c.dpi / 0.0254));
        // JPEG stores whole dots per inch; Qt converts back to metres with its own rounding.
        EXPECT_NEAR(picture.dotsPerMeterX(), dotsPerMetre, 1) << label(c, name);
        EXPECT_NEAR(picture.dotsPerMeterY(), dotsPerMetre, 1) << label(c, name);
        expectScans(picture, c, label(c, name));
    }
    // PNG is lossless: exactly the pixels Save As would draw.
    const RenderJob png = jobFor(c, dir_.filePath(QStringLiteral("s.png")));
    const QImage drawn = renderSymbolImage(png.symbol, png.pxPerMm(), png.pxPerMm());
    EXPECT_EQ(QImage(png.output).convertToFormat(QImage::Format_RGB32), drawn);
}

// width="…mm" and the like.
double millimetres(const QString& attribute) {
    EXPECT_TRUE(attribute.endsWith(QLatin1String("mm"))) << attribute.toStdString();
    return attribute.chopped(2).toDouble();
}

TEST_P(OutputTest, SvgIsTheSymbolsSizeInMillimetresAndScansWhenDrawn) {
    const Case& c = GetParam();
    const RenderJob job = jobFor(c, dir_.filePath(QStringLiteral("s.svg")));
    ASSERT_TRUE(write(job));
    const QSize px = boundsOf(job);
    QFile file(job.output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    ASSERT_TRUE(xml.readNextStartElement());
    ASSERT_EQ(xml.name(), QLatin1String("svg"));
    const QXmlStreamAttributes a = xml.attributes();
    EXPECT_NEAR(millimetres(a.value(QLatin1String("width")).toString()), px.width() * 25.4 / c.dpi,
                1e-3);
    EXPECT_NEAR(millimetres(a.value(QLatin1String("height")).toString()),
                px.height() * 25.4 / c.dpi, 1e-3);
    EXPECT_EQ(a.value(QLatin1String("viewBox")).toString(),
              QStringLiteral("0 0 %1 %2").arg(px.width()).arg(px.height()));

    QSvgRenderer renderer(job.output);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(px, QImage::Format_RGB32);
    drawn.fill(Qt::red);  // anything the SVG leaves unpainted shows
    {
        QPainter painter(&drawn);
        renderer.render(&painter);
    }
    int unpainted = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            unpainted += drawn.pixelColor(x, y) == QColor(Qt::red) ? 1 : 0;
        }
    }
    EXPECT_EQ(unpainted, 0) << "the SVG leaves pixels of its view box unpainted";
    expectScans(drawn, c, label(c, "SVG drawn by Qt"));
}

// Whether each column of the picture's row is dark.
std::vector<bool> darkColumns(const QImage& picture, int y) {
    std::vector<bool> dark;
    for (int x = 0; x < picture.width(); ++x) {
        dark.push_back(qGray(picture.pixel(x, y)) < 128);
    }
    return dark;
}

QStringList svgComplaints;

// The SVG drawn by Qt at its view box's size; what Qt's reader says of it lands in
// svgComplaints.
QImage drawnSvg(const QString& path, QSize size) {
    svgComplaints.clear();
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { svgComplaints << m; });
    QSvgRenderer renderer(path);
    EXPECT_TRUE(renderer.isValid());
    QImage drawn(size, QImage::Format_RGB32);
    drawn.fill(Qt::red);
    {
        QPainter painter(&drawn);
        renderer.render(&painter);
    }
    qInstallMessageHandler(before);
    return drawn;
}

// At 1200 dpi every bar of the SVG starts and ends at the picture's columns, across the bars'
// rows and through the digits' band; and the glyphs are outlines, each defined once.
TEST_P(OutputTest, SvgBarsHaveThePicturesEdgesAt1200Dpi) {
    Case c = GetParam();
    c.dpi = 1200;
    const RenderJob job = jobFor(c, dir_.filePath(QStringLiteral("s.svg")));
    ASSERT_TRUE(write(job));
    const QImage picture = renderSymbolImage(job.symbol, job.pxPerMm(), job.pxPerMm());
    const QImage drawn = drawnSvg(job.output, boundsOf(job));
    EXPECT_EQ(svgComplaints, QStringList{}) << label(c, "SVG");
    // librsvg, as GNOME, Inkscape's exports and many web tools draw it, sized from millimetres.
    const QString png = dir_.filePath(QStringLiteral("rsvg.png"));
    QProcess rsvg;
    rsvg.start(QStringLiteral("rsvg-convert"),
               {"--dpi-x", "1200", "--dpi-y", "1200", "-o", png, job.output});
    ASSERT_TRUE(rsvg.waitForFinished(30000));
    ASSERT_EQ(rsvg.exitCode(), 0) << rsvg.readAllStandardError().toStdString();
    // It rounds its picture up, so a last column or row may be added to the view box's.
    const QImage byRsvg = QImage(png).copy(QRect(QPoint(0, 0), drawn.size()));
    ASSERT_EQ(byRsvg.size(), drawn.size()) << label(c, "SVG by rsvg-convert");
    for (const int y : {drawn.height() / 3, drawn.height() / 2}) {
        EXPECT_EQ(darkColumns(drawn, y), darkColumns(picture, y))
            << label(c, "SVG") << " row " << y;
        EXPECT_EQ(darkColumns(byRsvg, y), darkColumns(picture, y))
            << label(c, "SVG by rsvg-convert") << " row " << y;
    }
    expectScans(byRsvg, c, label(c, "SVG by rsvg-convert"));
    QFile file(job.output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_FALSE(svg.contains("<text")) << "the digits need no font";
    // Every digit is placed; a digit that repeats is placed again, not defined again.
    const std::string digits = std::string(c.digits) + c.addon;
    EXPECT_EQ(svg.count("<use "), static_cast<qsizetype>(digits.size())) << label(c, "SVG");
    std::set<QString> shapes;
    auto paths = QRegularExpression(QStringLiteral("<path id=\"[^\"]+\"[^>]* d=\"([^\"]+)\""))
                     .globalMatch(QString::fromLatin1(svg));
    qsizetype defined = 0;
    for (; paths.hasNext(); ++defined) {
        shapes.insert(paths.next().captured(1));
    }
    EXPECT_EQ(static_cast<qsizetype>(shapes.size()), defined) << label(c, "SVG");
    EXPECT_LE(defined, static_cast<qsizetype>(digits.size())) << label(c, "SVG");
}

QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": "
                               << p.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

TEST_P(OutputTest, PdfPageIsTheSymbolsSizeAndScansWhenRasterised) {
    const Case& c = GetParam();
    const RenderJob job = jobFor(c, dir_.filePath(QStringLiteral("s.pdf")));
    ASSERT_TRUE(write(job));
    const QSize px = boundsOf(job);

    const QString info = runTool(QStringLiteral("pdfinfo"), {job.output});
    static const QRegularExpression pageSize(
        QStringLiteral(R"(Page size:\s+([0-9.]+) x ([0-9.]+) pts)"));
    const QRegularExpressionMatch m = pageSize.match(info);
    ASSERT_TRUE(m.hasMatch()) << info.toStdString();
    EXPECT_EQ(info.count(QStringLiteral("Pages:           1")), 1) << info.toStdString();
    // pdfinfo prints two decimals; one point is 25.4 / 72 mm.
    EXPECT_NEAR(m.captured(1).toDouble() * 25.4 / 72, px.width() * 25.4 / c.dpi, 0.005);
    EXPECT_NEAR(m.captured(2).toDouble() * 25.4 / 72, px.height() * 25.4 / c.dpi, 0.005);

    // At the symbol's own dpi the page comes back as its pixels; pdftoppm rounds the page up,
    // and e.g. 154.32 pt x 300 / 72 lands a hair above 643 in floating point.
    const QString prefix = dir_.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(c.dpi), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), job.output, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.size(), px) << label(c, "PDF");
    expectScans(page, c, label(c, "PDF rasterised by pdftoppm"));
}

// The PDF rasterised by poppler at 1200 dpi is the picture's size and has its bars' edges, across
// the bars' rows and through the digits' band (the glyphs themselves are smoothed differently by
// the two rasterisers); the file holds no font.
QImage expectPdfHasThePicturesBars(const RenderJob& job, const QString& prefix,
                                   const std::string& what) {
    const QImage picture = renderSymbolImage(job.symbol, job.pxPerMm(), job.pxPerMm());
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("1200"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), job.output, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    EXPECT_EQ(page.size(), picture.size()) << what;
    if (page.size() == picture.size()) {
        for (const int y : {page.height() / 3, page.height() / 2}) {
            EXPECT_EQ(darkColumns(page, y), darkColumns(picture, y)) << what << " row " << y;
        }
    }
    QFile file(job.output);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("/Font")) << what << ": the digits need no font";
    return page;
}

TEST_P(OutputTest, PdfBarsHaveThePicturesEdgesAt1200Dpi) {
    Case c = GetParam();
    c.dpi = 1200;
    const RenderJob job = jobFor(c, dir_.filePath(QStringLiteral("s.pdf")));
    ASSERT_TRUE(write(job));
    const QImage page =
        expectPdfHasThePicturesBars(job, dir_.filePath(QStringLiteral("page")), label(c, "PDF"));
    expectScans(page, c, label(c, "PDF at 1200 dpi"));
}

// The GS1 symbols take the same way to PDF.
TEST(OutputGs1, PdfHasThePicturesModulesAt1200DpiAndScans) {
    struct Gs1Case {
        const char* type;
        const char* gs1;
        Symbology symbology;
        const char* text;  // as ZXing reads it
    };
    const Gs1Case cases[] = {
        {"GS1-128", "(01)09506000134352(10)AB12", Symbology::Code128, "010950600013435210AB12"},
        {"GS1-DataMatrix", "(01)09506000134352(10)AB12", Symbology::DataMatrix,
         "010950600013435210AB12"},
        {"GS1-QR", "(01)09506000134352", Symbology::QRCode, "https://id.gs1.org/01/09506000134352"},
    };
    QTemporaryDir dir;
    for (const Gs1Case& c : cases) {
        OptionValues v;
        v.type = QString::fromLatin1(c.type);
        v.gs1 = QString::fromLatin1(c.gs1);
        v.dpi = QStringLiteral("1200");
        v.output = dir.filePath(QStringLiteral("g.pdf"));
        const JobResult job = buildJob(v);
        ASSERT_TRUE(job.ok) << c.type << ": " << job.error.toStdString();
        ASSERT_TRUE(write(job.value));
        const QImage page = expectPdfHasThePicturesBars(
            job.value, dir.filePath(QStringLiteral("page")), std::string(c.type) + " as PDF");
        const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
        const auto reads =
            strikon::testing::readWithZXing({grey.constBits(), grey.width(), grey.height(),
                                             static_cast<int32_t>(grey.bytesPerLine())},
                                            c.symbology);
        ASSERT_EQ(reads.size(), 1u) << c.type << ": " << strikon::testing::describe(reads);
        EXPECT_EQ(reads[0].text, c.text) << c.type;
    }
}

// The quiet zone's corner in the background colour and the first bar in the line colour, in a
// picture, in the SVG drawn by Qt and in the PDF rasterised.
TEST(OutputColours, ReachEveryFormat) {
    QTemporaryDir dir;
    const QColor navy(0, 0, 128);
    const QColor lime(0, 255, 0);
    const Case c = kCases[0];
    for (const char* name : {"c.png", "c.svg", "c.pdf"}) {
        RenderJob job = jobFor(c, dir.filePath(QString::fromLatin1(name)));
        job.symbol.lineColor = navy;
        job.symbol.backgroundColor = lime;
        ASSERT_TRUE(write(job));
        QImage picture;
        if (job.format == SymbolFileFormat::Svg) {
            QSvgRenderer renderer(job.output);
            picture = QImage(boundsOf(job), QImage::Format_RGB32);
            QPainter painter(&picture);
            renderer.render(&painter);
        } else if (job.format == SymbolFileFormat::Pdf) {
            const QString prefix = dir.filePath(QStringLiteral("page"));
            runTool(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-png"), QStringLiteral("-singlefile"), job.output, prefix});
            picture = QImage(prefix + QStringLiteral(".png"));
        } else {
            picture = QImage(job.output);
        }
        ASSERT_FALSE(picture.isNull()) << name;
        const int middle = picture.height() / 2;
        EXPECT_EQ(picture.pixelColor(0, 0), lime) << name;
        EXPECT_EQ(picture.pixelColor(picture.width() - 1, picture.height() - 1), lime) << name;
        int x = 0;
        while (x < picture.width() && picture.pixelColor(x, middle) == lime) {
            ++x;
        }
        ASSERT_LT(x, picture.width()) << name;
        EXPECT_EQ(picture.pixelColor(x + 1, middle), navy) << name;
    }
}

// Bilevel pictures for label printers: the line and background colours only, PNG and BMP at one
// bit a pixel, the bars where the smoothed picture has them, and both decoders read them.
TEST(Bilevel, PicturesHoldTwoColoursAtOneBitAndScan) {
    QTemporaryDir dir;
    for (const Case& c : kCases) {
        for (const int dpi : {203, 300, 600}) {
            for (const char* name : {"b.png", "b.bmp"}) {
                Case at = c;
                at.dpi = dpi;
                RenderJob job = jobFor(at, dir.filePath(QString::fromLatin1(name)));
                job.symbol.output.bilevel = true;
                const std::string what = label(at, name) + " bilevel at " + std::to_string(dpi);
                ASSERT_TRUE(write(job));
                QFile file(job.output);
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                const QByteArray bytes = file.readAll();
                // PNG: IHDR's bit depth; BMP: the info header's bits a pixel.
                const int bits = job.format == SymbolFileFormat::Png ? bytes.at(24) : bytes.at(28);
                EXPECT_EQ(bits, 1) << what;
                const QImage picture =
                    QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
                std::set<QRgb> colours;
                for (int y = 0; y < picture.height(); ++y) {
                    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
                    colours.insert(row, row + picture.width());
                }
                EXPECT_EQ(colours, (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)})) << what;
                job.symbol.output.bilevel = false;
                const QImage smooth = renderSymbolImage(job.symbol, job.pxPerMm(), job.pxPerMm());
                EXPECT_EQ(darkColumns(picture, picture.height() / 3),
                          darkColumns(smooth, smooth.height() / 3))
                    << what;
                expectScans(picture, at, what);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, OutputTest, ::testing::ValuesIn(kCases),
    [](const ::testing::TestParamInfo<Case>& info) {
        return QString::fromLatin1(info.param.type).remove(QLatin1Char('-')).toStdString();
    });

}  // namespace
}  // namespace strikon::cli
