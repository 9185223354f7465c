// The bitmap file and the in-memory PNG: format, stored density, pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

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

TEST(BmpWriter, RefusesEmptyPicture) {
    const auto encoded = encodeBmp(QImage());
    EXPECT_FALSE(encoded.ok);
    EXPECT_FALSE(encoded.error.isEmpty());
}

TEST(PngBytes, KeepsPixelsAndDensity) {
    const QImage src = barsImage();
    const QByteArray png = pngBytes(src);
    ASSERT_TRUE(png.startsWith("\x89PNG"));

    const QImage back = QImage::fromData(png, "PNG");
    EXPECT_EQ(back.dotsPerMeterX(), kDpm300);
    EXPECT_EQ(back.dotsPerMeterY(), kDpm300);
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), src);
    EXPECT_TRUE(pngBytes(QImage()).isEmpty());
}

}  // namespace
}  // namespace strikon
