// The symbol drawn straight in palette indices: the very pixels of its 32-bit picture, or that
// picture itself where a palette cannot hold them.
#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "render/symbol_image.h"
#include "tests/support/symbol_requests.h"

namespace strikon {
namespace {

using test::symbolRequest;

TEST(PalettePicture, SamePixelsAsTheSymbolsPicture) {
    struct Case {
        SymbolRequest request;
        double dpi;
        bool palette;  // expected in Format_Indexed8
    };
    std::vector<Case> cases;
    const SymbolRequest symbols[] = {
        symbolRequest(Symbology::EAN13, "4006381333931", 100, AddOn::FiveDigit, "52495"),
        symbolRequest(Symbology::EAN8, "96385074", 200),
        symbolRequest(Symbology::UPCA, "036000291452", 80, AddOn::TwoDigit, "12"),
        symbolRequest(Symbology::UPCE, "04252614", 150),
        symbolRequest(Symbology::ITF14, "15400141288763", 100),
        symbolRequest(Symbology::ITF14, "10012345678902", 50),
    };
    // Large digits are drawn another way by Qt: one symbol at a printer's resolution.
    cases.push_back({symbols[0], 1200.0, true});
    for (const SymbolRequest& symbol : symbols) {
        for (const double dpi : {72.0, 300.0}) {
            cases.push_back({symbol, dpi, true});
        }
        SymbolRequest print = symbol;
        print.output = {0.085, true, 0.0, true};  // every print-grade option
        print.lineColor = QColor(0x8B, 0, 0);
        print.backgroundColor = QColor(0xFF, 0xFF, 0xE0);
        cases.push_back({print, 600.0, true});
        SymbolRequest translucent = symbol;
        translucent.lineColor = QColor(0, 0, 0x80, 0xC0);
        cases.push_back({translucent, 300.0, false});
    }
    for (const Case& c : cases) {
        const double pxPerMm = c.dpi / kMmPerInch;
        const QImage rgb = renderSymbolImage(c.request, pxPerMm, pxPerMm);
        const QImage picture = renderSymbolPalettePicture(c.request, pxPerMm, pxPerMm);
        SCOPED_TRACE(testing::Message() << symbologyName(c.request.symbology) << " "
                                        << c.request.digits << " at " << c.dpi << " dpi");
        EXPECT_EQ(picture.format(), c.palette ? QImage::Format_Indexed8 : QImage::Format_RGB32);
        EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), rgb);
        EXPECT_EQ(picture.dotsPerMeterX(), rgb.dotsPerMeterX());
        EXPECT_EQ(picture.dotsPerMeterY(), rgb.dotsPerMeterY());
    }
}

// The picture a save replaces gives its memory to the next one of its size, which is drawn
// whole; one of another size or format is left alone.
TEST(PalettePicture, DrawsInTheMemoryOfThePictureItReplaces) {
    const SymbolRequest itf14 = symbolRequest(Symbology::ITF14, "15400141288763", 100);
    const SymbolRequest ean13 = symbolRequest(Symbology::EAN13, "4006381333931", 100);
    QImage first = renderSymbolPalettePicture(itf14);
    first.fill(7);  // nothing of it may show through
    const uchar* memory = first.constBits();
    const QImage second =
        renderSymbolPalettePicture(itf14, kImagePxPerMm, kImagePxPerMm, std::move(first));
    EXPECT_EQ(second.constBits(), memory);
    EXPECT_EQ(second.convertToFormat(QImage::Format_RGB32), renderSymbolImage(itf14));

    QImage kept = second;  // shared: drawing in it would change this one too
    const QImage third =
        renderSymbolPalettePicture(ean13, kImagePxPerMm, kImagePxPerMm, QImage(kept));
    EXPECT_NE(third.constBits(), memory);
    EXPECT_EQ(third.convertToFormat(QImage::Format_RGB32), renderSymbolImage(ean13));
    EXPECT_EQ(kept.convertToFormat(QImage::Format_RGB32), renderSymbolImage(itf14));
}

}  // namespace
}  // namespace strikon
