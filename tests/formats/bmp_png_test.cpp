// The bitmap file and the in-memory PNG: format, stored density, pixels.

#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <vector>

#include "encoders/check_digit.h"
#include "formats/bmp_writer.h"
#include "formats/png_bytes.h"
#include "render/symbol_image.h"
#include "tests/support/sample_images.h"

namespace strikon {
namespace {

using test::barsImage;
using test::kDpm300;

template <typename T>
T le(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

enum class Pixels { Colours, Indices, IndicesAfterGarbage };

// A picture of exactly `colours` colours (width times height / repeat must reach that many),
// pixel after pixel in turn, each row given `repeat` times so that repeated rows are written too.
// As indices into a colour table of those colours, row padding zero or left as garbage.
QImage colouredPicture(int width, int height, int colours, int repeat, bool alpha,
                       Pixels pixels = Pixels::Colours) {
    const auto colour = [&](int i) {
        return qRgba(i % 256, 40 + i / 256, 255 - i % 7, alpha ? 90 : 255);
    };
    QImage picture(width, height,
                   pixels != Pixels::Colours ? QImage::Format_Indexed8
                   : alpha                   ? QImage::Format_ARGB32
                                             : QImage::Format_RGB32);
    if (pixels != Pixels::Colours) {
        QList<QRgb> table;
        for (int i = 0; i < colours; ++i) {
            table.append(colour(i));
        }
        picture.setColorTable(table);
        picture.fill(pixels == Pixels::IndicesAfterGarbage ? 0xEE : 0);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int i = (x + y / repeat * width) % colours;
            if (pixels == Pixels::Colours) {
                picture.setPixel(x, y, colour(i));
            } else {
                picture.scanLine(y)[x] = static_cast<uchar>(i);
            }
        }
    }
    picture.setDotsPerMeterX(width == 2 ? 0 : kDpm300 + width);
    picture.setDotsPerMeterY(width == 2 ? 0 : 2 * kDpm300);
    return picture;
}

// The headers hold the picture's size, density and `bits` a pixel, uncompressed, with
// `paletteEntries` colours between them and the pixels; Qt's reader gives back exactly the
// picture's pixels (alpha dropped).
void expectBitmapOf(const QImage& src, const QByteArray& bmp, int bits, int paletteEntries) {
    ASSERT_GE(bmp.size(), 54 + 4 * paletteEntries);
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(le<quint32>(bmp, 2), quint32(bmp.size()));
    EXPECT_EQ(le<quint32>(bmp, 10), quint32(54 + 4 * paletteEntries)) << "where pixels start";
    EXPECT_EQ(le<quint32>(bmp, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(le<qint32>(bmp, 18), src.width());
    EXPECT_EQ(le<qint32>(bmp, 22), src.height()) << "positive: rows bottom up";
    EXPECT_EQ(le<quint16>(bmp, 26), 1);
    EXPECT_EQ(le<quint16>(bmp, 28), bits) << "bits per pixel";
    EXPECT_EQ(le<quint32>(bmp, 30), 0u) << "BI_RGB, no compression";
    EXPECT_EQ(le<quint32>(bmp, 34), quint32(bmp.size() - 54 - 4 * paletteEntries));
    EXPECT_EQ(le<qint32>(bmp, 38), src.dotsPerMeterX());
    EXPECT_EQ(le<qint32>(bmp, 42), src.dotsPerMeterY());
    EXPECT_EQ(le<quint32>(bmp, 46), quint32(paletteEntries)) << "colours used";
    for (int i = 0; i < paletteEntries; ++i) {
        EXPECT_EQ(bmp[54 + 4 * i + 3], 0) << "palette entries are blue, green, red, 0";
    }
    const int rowBytes = (src.width() * bits + 31) / 32 * 4;
    const int used = (src.width() * bits + 7) / 8;
    for (int y = 0; y < src.height(); ++y) {
        const QByteArray padding =
            bmp.mid(54 + 4 * paletteEntries + y * rowBytes + used, rowBytes - used);
        ASSERT_EQ(padding, QByteArray(rowBytes - used, 0)) << "row padding, file row " << y;
    }
    const QImage back = QImage::fromData(bmp, "BMP");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32),
              src.convertToFormat(QImage::Format_RGB32));
    if (src.dotsPerMeterX() > 0) {
        EXPECT_EQ(back.dotsPerMeterX(), src.dotsPerMeterX());
        EXPECT_EQ(back.dotsPerMeterY(), src.dotsPerMeterY());
    }
}

// Up to 2, 16 and 256 colours take a palette of 1, 4 and 8 bits (there is no 2-bit bitmap);
// 257 take 24 bits. Widths 1 to 9 meet every row padding at every depth, as one row where it
// holds the colours, rows in pairs, and tall runs of repeated rows. A picture given as palette
// indices makes the same file, its padding zero whatever its rows held there.
TEST(BmpWriter, FewestBitsThatHoldTheColoursDecodeToTheSamePixels) {
    struct Case {
        int colours;
        bool alpha;
        int bits;
        int entries;  // in the palette: a 1-bit one always has both
    };
    for (const Case c : {Case{1, true, 1, 2}, Case{2, false, 1, 2}, Case{3, false, 4, 3},
                         Case{16, false, 4, 16}, Case{17, false, 8, 17}, Case{256, false, 8, 256},
                         Case{257, false, 24, 0}, Case{300, true, 24, 0}}) {
        for (int width = 1; width <= 9; ++width) {
            const int rows = (c.colours + width - 1) / width;
            for (const int repeat : {1, 2, 100}) {
                const QImage src =
                    colouredPicture(width, rows * repeat + repeat / 2, c.colours, repeat, c.alpha);
                const auto encoded = encodeBmp(src);
                ASSERT_TRUE(encoded.ok) << encoded.error.toStdString();
                SCOPED_TRACE(testing::Message()
                             << c.colours << " colours, " << width << " x " << src.height());
                expectBitmapOf(src, encoded.value, c.bits, c.entries);
                if (c.bits == 24 || c.alpha) {
                    continue;
                }
                for (const Pixels p : {Pixels::Indices, Pixels::IndicesAfterGarbage}) {
                    const QImage indexed =
                        colouredPicture(width, src.height(), c.colours, repeat, false, p);
                    EXPECT_EQ(encodeBmp(indexed).value, encoded.value);
                }
            }
        }
    }
}

// A symbol's picture as Save As draws it, written to a file straight from its rows: a palette
// bitmap of its exact pixels.
TEST(BmpWriter, SymbolPictureIsAPaletteBitmapOfItsPixels) {
    SymbolRequest itf14;
    itf14.symbology = Symbology::ITF14;
    itf14.digits = CalcCheckDigitFor(Symbology::ITF14, "15400141288763");
    SymbolRequest ean13;
    ean13.digits = CalcCheckDigitFor(Symbology::EAN13, "4006381333931");
    ean13.addOn = AddOn::FiveDigit;
    ean13.addOnDigits = "52495";
    ean13.lineColor = QColor(20, 40, 120);
    QTemporaryDir dir;
    for (const SymbolRequest& request : {itf14, ean13}) {
        const QImage src = renderSymbolPalettePicture(request);
        ASSERT_EQ(src.format(), QImage::Format_Indexed8);
        const QString path = dir.filePath("symbol.bmp");
        const WriteResult r = writeBmp(src, path);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        const QByteArray bytes = test::readFile(path);
        ASSERT_GE(bytes.size(), 54);
        const int bits = le<quint16>(bytes, 28);
        EXPECT_TRUE(bits == 1 || bits == 4 || bits == 8) << bits << " bits";
        expectBitmapOf(src, bytes, bits, int(le<quint32>(bytes, 46)));
        EXPECT_EQ(bytes, encodeBmp(src).value);
    }
}

// More colours than a palette holds: byte for byte the bitmap Qt's own writer makes of the
// opaque picture, at every row padding (widths 1 to 4), with and without density or alpha.
TEST(BmpWriter, SameBytesAsQtsBitmapWriter) {
    std::vector<QImage> pictures;
    for (int width = 1; width <= 4; ++width) {
        QImage picture(width, 260, width == 4 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < width; ++x) {
                picture.setPixel(x, y, qRgba(y % 256, 200 - x + y / 256, 7 * x, 60 + x));
            }
        }
        picture.setDotsPerMeterX(width == 2 ? 0 : kDpm300 + width);
        picture.setDotsPerMeterY(width == 2 ? 0 : kDpm300);
        pictures.push_back(picture);
    }
    for (const QImage& picture : pictures) {
        QByteArray qt;
        QBuffer buffer(&qt);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(
            QImageWriter(&buffer, "bmp").write(picture.convertToFormat(QImage::Format_RGB32)));
        const auto encoded = encodeBmp(picture);
        ASSERT_TRUE(encoded.ok);
        EXPECT_EQ(encoded.value.toHex().toStdString(), qt.toHex().toStdString())
            << picture.width() << " x " << picture.height();
    }
}

// A picture of one colour (lines drawn in the background's colour), read by Qt and by netpbm,
// which refuses a 1-bit bitmap whose palette lacks its second entry.
TEST(BmpWriter, OneColourPictureReadsBackInEveryReader) {
    if (QStandardPaths::findExecutable(QStringLiteral("bmptopnm")).isEmpty()) {
        GTEST_SKIP() << "netpbm's bmptopnm is not installed (scripts/setup installs it)";
    }
    QTemporaryDir dir;
    for (const QRgb colour : {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 128)}) {
        QImage picture(13, 5, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = dir.filePath(QStringLiteral("one.bmp"));
        ASSERT_TRUE(writeBmp(picture, path).ok);
        const QImage back(path);
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), picture) << std::hex << colour;

        QProcess netpbm;  // as plain PPM text: "P3 width height 255" and then r g b a pixel
        netpbm.setStandardOutputFile(dir.filePath(QStringLiteral("one.ppm")));
        netpbm.start(
            QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("bmptopnm \"$0\" 2>\"$1\" | ppmtoppm -plain"),
             path, dir.filePath(QStringLiteral("bmptopnm.err"))});
        ASSERT_TRUE(netpbm.waitForFinished(30000));
        EXPECT_EQ(netpbm.exitCode(), 0) << std::hex << colour;
        // A short palette is an "abnormal BMP header" to netpbm, which older versions refuse.
        const QByteArray complaint = test::readFile(dir.filePath("bmptopnm.err"));
        EXPECT_FALSE(complaint.contains("Abnormal")) << complaint.toStdString();
        const QStringList words =
            QString::fromLatin1(test::readFile(dir.filePath("one.ppm")))
                .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        QStringList expected{"P3", "13", "5", "255"};
        for (int i = 0; i < 13 * 5; ++i) {
            expected << QString::number(qRed(colour)) << QString::number(qGreen(colour))
                     << QString::number(qBlue(colour));
        }
        EXPECT_EQ(words, expected) << std::hex << colour;
    }
}

TEST(BmpWriter, RefusesEmptyPicture) {
    const auto encoded = encodeBmp(QImage());
    EXPECT_FALSE(encoded.ok);
    EXPECT_FALSE(encoded.error.isEmpty());
}

TEST(PngBytes, KeepsPixelsAndDensity) {
    const QImage src = barsImage();
    const QByteArray png = pngBytes(src);
    ASSERT_TRUE(png.startsWith("\x89PNG"));

    // Every chunk's checksum holds (decoders may ignore a wrong one; other readers refuse it).
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto length = qFromBigEndian<quint32>(png.constData() + at);
        ASSERT_LE(at + 12 + length, png.size());
        const auto* chunk = reinterpret_cast<const Bytef*>(png.constData() + at + 4);
        EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + at + 8 + length),
                  crc32(0, chunk, 4 + length))
            << png.mid(at + 4, 4).toStdString();
        at += 12 + length;
    }
    const QImage back = QImage::fromData(png, "PNG");
    EXPECT_EQ(back.dotsPerMeterX(), kDpm300);
    EXPECT_EQ(back.dotsPerMeterY(), kDpm300);
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), src);
    EXPECT_TRUE(pngBytes(QImage()).isEmpty());
}

// 2, 3, 16 and 256 colours take a palette of 1, 2, 4 and 8 bits; 257 colours and alpha take
// 8-bit samples; greys that the depth holds exactly take grey samples and no palette. Every one
// decodes to the pixels given, with their density.
TEST(PngBytes, PaletteOfTheFewestBitsOrSamplesDecodeToTheSamePixels) {
    struct Case {
        int colours;
        bool alpha;
        int greyStep;    // colour i is the grey i * greyStep; 0: colours that are not grey
        int bitDepth;    // byte 24 of the file
        int colourType;  // byte 25: 0 grey, 3 palette, 2 RGB, 6 RGBA
    };
    for (const Case c :
         {Case{2, false, 0, 1, 3}, Case{3, false, 0, 2, 3}, Case{16, false, 0, 4, 3},
          Case{256, false, 0, 8, 3}, Case{257, false, 0, 8, 2}, Case{2, true, 0, 8, 6},
          Case{2, false, 255, 1, 0}, Case{3, false, 85, 2, 0}, Case{3, false, 100, 2, 3},
          Case{17, false, 15, 8, 0}, Case{256, false, 1, 8, 0}}) {
        SCOPED_TRACE(testing::Message() << c.colours << " colours, grey step " << c.greyStep);
        QImage src(301, 3, c.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        src.setDotsPerMeterX(11811);
        src.setDotsPerMeterY(23622);
        for (int y = 0; y < src.height(); ++y) {
            for (int x = 0; x < src.width(); ++x) {
                const int i = (x + y * src.width()) % c.colours;
                const int grey = i * c.greyStep;
                src.setPixel(x, y,
                             c.greyStep > 0 ? qRgb(grey, grey, grey)
                                            : qRgba(i % 256, i / 256, 7, c.alpha ? 128 + i : 255));
            }
        }
        const QByteArray png = pngBytes(src);
        ASSERT_GT(png.size(), 26);
        EXPECT_EQ(png[24], c.bitDepth);
        EXPECT_EQ(png[25], c.colourType);
        EXPECT_EQ(png.contains("PLTE"), c.colourType == 3);
        const QImage back = QImage::fromData(png, "PNG");
        const auto format = c.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        EXPECT_EQ(back.convertToFormat(format), src);
        EXPECT_EQ(back.dotsPerMeterX(), 11811);
        EXPECT_EQ(back.dotsPerMeterY(), 23622);
    }
}

// Every symbology's picture, with smoothed digits and bilevel, at a label printer's, the
// default and a high resolution, decodes to exactly its pixels.
TEST(PngBytes, SymbolPicturesDecodeToTheirPixels) {
    const auto request = [](Symbology symbology, const char* digits, AddOn addOn = AddOn::None) {
        SymbolRequest r;
        r.symbology = symbology;
        r.digits = CalcCheckDigitFor(symbology, digits);
        r.addOn = addOn;
        r.addOnDigits = addOn == AddOn::FiveDigit ? "52495" : "12";
        return r;
    };
    for (const SymbolRequest& r :
         {request(Symbology::EAN13, "4006381333931"),
          request(Symbology::EAN13, "4006381333931", AddOn::FiveDigit),
          request(Symbology::EAN8, "96385074"), request(Symbology::UPCA, "036000291452"),
          request(Symbology::UPCE, "04252614", AddOn::TwoDigit),
          request(Symbology::ITF14, "15400141288763")}) {
        for (const int dpi : {203, 300, 600}) {
            for (const bool smooth : {true, false}) {
                SymbolRequest drawn = r;
                drawn.output.bilevel = !smooth;
                const double pxPerMm = dpi / kMmPerInch;
                const QImage src = renderSymbolPalettePicture(drawn, pxPerMm, pxPerMm);
                const QImage back = QImage::fromData(pngBytes(src), "PNG");
                EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32),
                          src.convertToFormat(QImage::Format_RGB32))
                    << r.digits << " at " << dpi << " dpi" << (smooth ? "" : ", bilevel");
            }
        }
    }
}

}  // namespace
}  // namespace strikon
