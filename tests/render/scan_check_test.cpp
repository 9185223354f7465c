// The scan check: the reference decode's decodability of scan lines worked out by hand from their
// element widths, whole-dot modules on every symbology and resolution, and the notices.

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "encoders/itf14.h"
#include "render/draw_symbol.h"
#include "render/output_fit.h"
#include "render/scan_check.h"
#include "render/scan_row_surface.h"
#include "render/symbol_image.h"
#include "tests/support/symbol_requests.h"

namespace strikon {
namespace {

using test::symbolRequest;

// EAN-8 96385074 module by module (A: 9 6 3 8, C: 5 0 7 4) inside 7-module light margins.
const std::string kEan8 = std::string(7, '0') +
                          "101"
                          "0001011"
                          "0101111"
                          "0111101"
                          "0110111"
                          "01010"
                          "1001110"
                          "1110010"
                          "1000100"
                          "1011100"
                          "101" +
                          std::string(7, '0');

// The element widths of a module string whose module edge k lies at edge(k) pixels.
ScanLine lineOf(const std::string& modules, double modulePx,
                const std::function<double(int)>& edge) {
    ScanLine line;
    line.modulePx = modulePx;
    int from = 0;
    for (int k = 1; k <= static_cast<int>(modules.size()); ++k) {
        if (k == static_cast<int>(modules.size()) || modules[k] != modules[k - 1]) {
            line.widths.push_back(edge(k) - edge(from));
            from = k;
        }
    }
    return line;
}

// ITF-14's elements ("1" narrow bar, "3" wide bar, "0" narrow space, "2" wide space) at the
// given widths, with 10-narrow light margins.
ScanLine itfLine(const std::string& digits, double narrow, double wide) {
    ScanLine line;
    line.modulePx = narrow;
    line.widths.push_back(10 * narrow);
    for (char c : ITF14Elements(digits)) {
        line.widths.push_back(c == '1' || c == '0' ? narrow : wide);
    }
    line.widths.push_back(10 * narrow);
    return line;
}

TEST(ScanCheck, DecodabilityOfLinesWorkedByHand) {
    struct Row {
        const char* cause;
        Symbology symbology;
        ScanLine line;
        const char* read;
        double decodability;
        Grade grade;
    };
    const std::vector<Row> rows = {
        {"3 px a module, exact", Symbology::EAN8, lineOf(kEan8, 3, [](int k) { return 3.0 * k; }),
         "96385074", 1.0, Grade::A},
        // The edge before 6's four-module bar moves a pixel left: e2 = 3 + 2 = 5 px, 0.5 px
        // above the 4.5 px threshold between 2 and 3 modules (S = 21): V = 0.5 / 1.5.
        {"one-pixel edge shift", Symbology::EAN8,
         lineOf(kEan8, 3, [](int k) { return 3.0 * k - (k == 20 ? 1 : 0); }), "96385074", 1.0 / 3,
         Grade::D},
        // 203 dpi, 2.6 dots a module, every edge rounded: the right-hand 4 spans modules 64-71,
        // 166 to 185 px (S = 19); its e2 runs from 169 to 179 px, 10 px, 0.5 px above the
        // threshold 3.5 x 19/7 = 9.5 px: V = 0.5 / (19/14) = 7/19.
        {"2.6 dots a module", Symbology::EAN8,
         lineOf(kEan8, 2.6, [](int k) { return std::nearbyint(2.6 * k); }), "96385074", 7.0 / 19,
         Grade::D},
        // Every bar a pixel narrower, its right column given to the space after it: the edge
        // distances stay, but the left-hand 8's bars sum to 5 + 8 = 13 px against the 4-module
        // threshold of 12 px that tells 2 from 8: V = 1 / 3.
        {"reduction without spread", Symbology::EAN8,
         lineOf(kEan8, 3,
                [](int k) {
                    // A bar's right edge is a module edge with a bar before it.
                    const bool barEnds = k > 0 && k < static_cast<int>(kEan8.size()) &&
                                         kEan8[k - 1] == '1' && kEan8[k] == '0';
                    return 3.0 * k - (barEnds ? 1 : 0);
                }),
         "96385074", 1.0 / 3, Grade::D},
        // Narrow 4 px, wide 9 px: each pair is S = 60 px, threshold 7S/64 = 6.5625 px; the
        // wide elements lie 2.4375 px above it, against the nominal 3S/64 = 2.8125: V = 13/15.
        {"ITF-14 at 2.25 to 1", Symbology::ITF14, itfLine("15400141288763", 4, 9), "15400141288763",
         13.0 / 15, Grade::A},
        // Wide 6 px: S = 48 px, threshold 5.25 px, nominal margin 2.25 px; the wide elements
        // lie 0.75 px above the threshold: V = 1/3.
        {"ITF-14 at 1.5 to 1", Symbology::ITF14, itfLine("15400141288763", 4, 6), "15400141288763",
         1.0 / 3, Grade::D},
        // Wide 4.5 px, under the threshold of 7 x 42 / 64 = 4.59 px: no pair has two wide bars.
        {"ITF-14 at 1.125 to 1", Symbology::ITF14, itfLine("15400141288763", 4, 4.5), "", 0,
         Grade::F},
    };
    for (const Row& r : rows) {
        const Decode d = referenceDecode(r.symbology, 0, r.line);
        EXPECT_EQ(d.decoded, r.grade != Grade::F) << r.cause;
        if (d.decoded) {
            EXPECT_EQ(d.read, r.read) << r.cause;
        }
        EXPECT_NEAR(d.decodability, r.decodability, 1e-9) << r.cause;
        EXPECT_EQ(gradeLetter(d.grade), gradeLetter(r.grade)) << r.cause;
    }
}

TEST(ScanCheck, ShortMarginAndSpreadGradeF) {
    // A left margin of 6 modules where EAN-8 wants 7: short by 3 px at 3 px a module.
    ScanLine line = lineOf(kEan8, 3, [](int k) { return 3.0 * k; });
    line.widths.front() = 18;
    EXPECT_EQ(referenceDecode(Symbology::EAN8, 0, line).grade, Grade::F);
    line.widths.front() = 20;  // a pixel short: each edge may lose that much in rounding
    EXPECT_EQ(referenceDecode(Symbology::EAN8, 0, line).grade, Grade::A);
    // Ink spreading 1 px on the exact line: the 8's bars grow to 17 px against 12, but its
    // edge distances hold, and the 7's bars grow to 8 px against the threshold of 9: 1/3.
    const Decode spread = referenceDecode(
        Symbology::EAN8, 0, withInkSpread(lineOf(kEan8, 3, [](int k) { return 3.0 * k; }), 1.0));
    EXPECT_NEAR(spread.decodability, 1.0 / 3, 1e-9);
}

TEST(ScanCheck, WholeDotModulesGradeAInsideTheSizeRange) {
    std::vector<SymbolRequest> symbols;
    for (const uint16_t size : {80, 100, 200}) {
        symbols.push_back(symbolRequest(Symbology::EAN13, "4006381333931", size));
        symbols.push_back(
            symbolRequest(Symbology::EAN13, "4006381333931", size, AddOn::FiveDigit, "52495"));
        symbols.push_back(symbolRequest(Symbology::EAN8, "96385074", size));
        symbols.push_back(
            symbolRequest(Symbology::UPCA, "036000291452", size, AddOn::TwoDigit, "12"));
        symbols.push_back(symbolRequest(Symbology::UPCE, "04252614", size));
    }
    for (const uint16_t size : {25, 50, 100}) {
        symbols.push_back(symbolRequest(Symbology::ITF14, "15400141288763", size));
    }
    for (SymbolRequest request : symbols) {
        request.output.fitDots = true;
        const SymbologyFacts& f = facts(request.symbology);
        for (const int dpi : {203, 300, 600}) {
            const ScanReport r = scanCheck(request, dpi / 25.4);
            const std::string what = std::string(f.name) + " " +
                                     std::to_string(request.sizePercent) + " % at " +
                                     std::to_string(dpi) + " dpi";
            EXPECT_TRUE(r.fitted) << what;
            // An odd number of dots makes ITF-14's wide element (2.5 narrow) a half dot, which
            // the drawing rounds: its spaces then vary by a dot, and the grade may be B.
            const bool halfDotWide =
                request.symbology == Symbology::ITF14 && std::lround(r.moduleDots) % 2 == 1;
            EXPECT_LE(r.grade, halfDotWide ? Grade::B : Grade::A)
                << what << ": " << r.decode.decodability;
            EXPECT_GE(r.sizePercent, f.minSize - 1e-9) << what;
            EXPECT_LE(r.sizePercent, f.maxSize + 1e-9) << what;
            EXPECT_NEAR(r.moduleDots, std::nearbyint(r.moduleDots), 1e-9) << what;
        }
    }
}

TEST(ScanCheck, NoticesOfTheData) {
    struct Row {
        SymbolRequest request;
        std::vector<NoticeKind> kinds;
        QString value;  // of the first notice
    };
    SymbolRequest pale = symbolRequest(Symbology::EAN13, "4006381333931");
    pale.lineColor = QColor(255, 255, 0);
    pale.backgroundColor = QColor(255, 255, 153);
    SymbolRequest wrong = symbolRequest(Symbology::EAN13, "4006381333931");
    wrong.digits = "4006381333937";
    SymbolRequest system5 = symbolRequest(Symbology::UPCE, "51234565");
    const std::vector<Row> rows = {
        {symbolRequest(Symbology::EAN13, "4006381333931"), {}, {}},
        {wrong, {NoticeKind::WrongCheckDigit}, QStringLiteral("1")},
        {system5, {NoticeKind::UpceNumberSystem}, QStringLiteral("5")},
        // 04319833 is UPC-A 0 43100 00098 3, whose standard UPC-E is 0 430981 3.
        {symbolRequest(Symbology::UPCE, "04319833"),
         {NoticeKind::UpceNotZeroSuppressed},
         QStringLiteral("04309813")},
        {pale, {NoticeKind::LowContrast}, QStringLiteral("0")},
        // 30 %: X = 0.305 mm, bars 9.6 mm tall.
        {symbolRequest(Symbology::ITF14, "15400141288763", 30),
         {NoticeKind::OutsideGs1Range, NoticeKind::BarsTooShort},
         QStringLiteral("0.305")},
    };
    for (const Row& r : rows) {
        const ScanReport report = scanCheck(r.request, 600 / 25.4);
        std::vector<NoticeKind> kinds;
        for (const Notice& n : report.notices)
            kinds.push_back(n.kind);
        EXPECT_EQ(kinds, r.kinds) << r.request.digits;
        if (!r.kinds.empty() && !report.notices.empty()) {
            EXPECT_EQ(report.notices.front().value, r.value) << r.request.digits;
        }
    }
}

TEST(ScanCheck, LowGradeNamesWhatRaisesIt) {
    // 0.264 mm at 203 dpi is 2.11 dots a module: whole dots make it 3 (113.7 %).
    const SymbolRequest ean8 = symbolRequest(Symbology::EAN8, "96385074", 80);
    const ScanReport plain = scanCheck(ean8, 203 / 25.4);
    ASSERT_FALSE(plain.notices.empty());
    const Notice& low = plain.notices.back();
    EXPECT_EQ(low.kind, NoticeKind::LowGrade);
    EXPECT_EQ(low.remedy, Remedy::WholeDots);
    EXPECT_EQ(low.remedyGrade, Grade::A);
    SymbolRequest fitted = ean8;
    fitted.output.fitDots = true;
    const WholeDotFit fit = wholeDotFit(fitted, 203 / 25.4);
    EXPECT_EQ(fit.dots, 3);
    EXPECT_TRUE(scanCheck(fitted, 203 / 25.4).scanReady());
}

// The check reads its row without painting a picture: that row must be the painted picture's,
// pixel for pixel, whatever the symbology, resolution and output options.
TEST(ScanCheck, RowSurfaceMatchesThePaintedPicture) {
    std::vector<SymbolRequest> symbols = {
        symbolRequest(Symbology::EAN13, "4006381333931", 80, AddOn::FiveDigit, "52495"),
        symbolRequest(Symbology::EAN8, "96385074", 100),
        symbolRequest(Symbology::UPCA, "036000291452", 150, AddOn::TwoDigit, "12"),
        symbolRequest(Symbology::UPCE, "04252614", 100),
        symbolRequest(Symbology::ITF14, "15400141288763", 50),
    };
    for (SymbolRequest request : symbols) {
        for (const int options : {0, 1, 2}) {
            request.output.fitDots = options == 1;
            request.output.barReductionMm = options == 2 ? 0.05 : 0.0;
            request.output.quietZoneMarks = options == 2;
            for (const int dpi : {203, 300, 600}) {
                const double pxPerMm = dpi / 25.4;
                const QImage picture = renderSymbolImage(request, pxPerMm, pxPerMm);
                ASSERT_FALSE(picture.isNull());
                const int y = static_cast<int>(picture.height() * 0.44);
                ScanRowSurface row(picture.width(), y);
                Rect bounds;
                renderSymbol(request, &row, bounds, 0.0, 0.0, pxPerMm, pxPerMm);
                std::string painted, read;
                for (int x = 0; x < picture.width(); ++x) {
                    painted += qGray(picture.pixel(x, y)) < 128 ? '1' : '0';
                    read += row.darkPixels()[static_cast<size_t>(x)] ? '1' : '0';
                }
                EXPECT_EQ(read, painted) << facts(request.symbology).name << " options " << options
                                         << " at " << dpi << " dpi";
            }
        }
    }
}

}  // namespace
}  // namespace strikon
