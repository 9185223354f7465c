// The bitmap file and the in-memory PNG: format, stored density, pixels.

#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <vector>

#include "platform/images/bmp_writer.h"
#include "platform/images/png_bytes.h"
#include "sample_images.h"

namespace strikon {
namespace {

using test::barsImage;
using test::kDpm300;

template <typename T>
T le(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

TEST(BmpWriter, WritesUncompressed24BitWithDensity) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bars.bmp");
    const QImage src = barsImage();

    const WriteResult r = writeBmp(src, path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();

    const QByteArray bytes = test::readFile(path);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(le<quint32>(bytes, 2), quint32(bytes.size()));
    EXPECT_EQ(le<quint32>(bytes, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(le<qint32>(bytes, 18), src.width());
    EXPECT_EQ(le<qint32>(bytes, 22), src.height());
    EXPECT_EQ(le<quint16>(bytes, 28), 24) << "bits per pixel";
    EXPECT_EQ(le<quint32>(bytes, 30), 0u) << "BI_RGB, no compression";
    EXPECT_EQ(le<qint32>(bytes, 38), kDpm300);
    EXPECT_EQ(le<qint32>(bytes, 42), kDpm300);

    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), src);
    EXPECT_EQ(back.dotsPerMeterX(), kDpm300);
}

TEST(BmpWriter, DropsAlphaInsteadOfWriting32Bit) {
    QImage src(10, 4, QImage::Format_ARGB32);
    src.fill(QColor(10, 20, 30, 128));
    src.setDotsPerMeterX(kDpm300);
    src.setDotsPerMeterY(kDpm300);

    const auto encoded = encodeBmp(src);
    ASSERT_TRUE(encoded.ok) << encoded.error.toStdString();
    EXPECT_EQ(le<quint16>(encoded.value, 28), 24);
    EXPECT_EQ(le<qint32>(encoded.value, 38), kDpm300);
}

// The file is byte for byte the bitmap Qt's own writer makes of the opaque picture, at every
// row padding (widths 1 to 4 and a bar code's), with and without density or alpha.
TEST(BmpWriter, SameBytesAsQtsBitmapWriter) {
    std::vector<QImage> pictures = {barsImage()};
    for (int width = 1; width <= 4; ++width) {
        QImage picture(width, 3, width == 4 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < width; ++x) {
                picture.setPixel(x, y, qRgba(40 * x + y, 200 - x, 7 * y, 60 + x));
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
// 8-bit samples. Every one decodes to the pixels given, with their density.
TEST(PngBytes, PaletteOfTheFewestBitsOrSamplesDecodeToTheSamePixels) {
    struct Case {
        int colours;
        bool alpha;
        int bitDepth;    // byte 24 of the file
        int colourType;  // byte 25: 3 palette, 2 RGB, 6 RGBA
    };
    for (const Case c : {Case{2, false, 1, 3}, Case{3, false, 2, 3}, Case{16, false, 4, 3},
                         Case{256, false, 8, 3}, Case{257, false, 8, 2}, Case{2, true, 8, 6}}) {
        QImage src(301, 3, c.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        src.setDotsPerMeterX(11811);
        src.setDotsPerMeterY(23622);
        for (int y = 0; y < src.height(); ++y) {
            for (int x = 0; x < src.width(); ++x) {
                const int i = (x + y * src.width()) % c.colours;
                src.setPixel(x, y, qRgba(i % 256, i / 256, 7, c.alpha ? 128 + i : 255));
            }
        }
        const QByteArray png = pngBytes(src);
        ASSERT_GT(png.size(), 26) << c.colours;
        EXPECT_EQ(png[24], c.bitDepth) << c.colours;
        EXPECT_EQ(png[25], c.colourType) << c.colours;
        const QImage back = QImage::fromData(png, "PNG");
        const auto format = c.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        EXPECT_EQ(back.convertToFormat(format), src) << c.colours;
        EXPECT_EQ(back.dotsPerMeterX(), 11811);
        EXPECT_EQ(back.dotsPerMeterY(), 23622);
    }
}

}  // namespace
}  // namespace strikon
