// The JPEG file read back with libjpeg: JFIF density, full-resolution colour, faithful pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "formats/jpeg_writer.h"
#include "tests/support/sample_images.h"

namespace strikon {
namespace {

using test::barsImage;

struct Decoded {
    bool jfif = false;
    int densityUnit = -1;
    int xDensity = 0;
    int yDensity = 0;
    std::vector<std::pair<int, int>> sampling;  // h, v per component
    QImage image;
};

// Test input is our own output, so libjpeg's default handler (which exits) is acceptable here.
Decoded decode(const QByteArray& bytes) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);

    Decoded d;
    d.jfif = cinfo.saw_JFIF_marker;
    d.densityUnit = cinfo.density_unit;
    d.xDensity = cinfo.X_density;
    d.yDensity = cinfo.Y_density;
    for (int i = 0; i < cinfo.num_components; ++i) {
        d.sampling.emplace_back(cinfo.comp_info[i].h_samp_factor, cinfo.comp_info[i].v_samp_factor);
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    d.image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = d.image.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return d;
}

// Largest difference of any channel of any pixel in the given rows.
int maxChannelError(const QImage& a, const QImage& b, int fromRow, int toRow) {
    int worst = 0;
    for (int y = fromRow; y < toRow; ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

TEST(JpegWriter, StoresDensityAndFullColourResolution) {
    const auto encoded = encodeJpeg(barsImage());
    ASSERT_TRUE(encoded.ok) << encoded.error.toStdString();

    const Decoded d = decode(encoded.value);
    EXPECT_TRUE(d.jfif);
    EXPECT_EQ(d.densityUnit, 1) << "dots per inch";
    EXPECT_EQ(d.xDensity, 300);
    EXPECT_EQ(d.yDensity, 300);
    const std::vector<std::pair<int, int>> full = {{1, 1}, {1, 1}, {1, 1}};
    EXPECT_EQ(d.sampling, full) << "4:4:4";
}

TEST(JpegWriter, OmitsDensityTheImageCannotExpress) {
    QImage src = barsImage();
    src.setDotsPerMeterX(1);  // 0.0254 dpi, nothing a JFIF header can hold
    const Decoded d = decode(encodeJpeg(src).value);
    EXPECT_EQ(d.densityUnit, 0) << "aspect ratio only";
}

TEST(JpegWriter, KeepsBarEdgesCrispInGreyAndInColour) {
    const QImage src = barsImage();
    QTemporaryDir dir;
    const QString path = dir.filePath("bars.jpg");
    const WriteResult r = writeJpeg(src, path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();

    const QImage back = decode(test::readFile(path)).image;
    ASSERT_EQ(back.size(), src.size());
    // Measured at quality 95: the worst channel error is 1 on the black bars and 4 on the red
    // ones. Qt's own writer (4:2:0) gives 34 and 101 on the same picture.
    EXPECT_LE(maxChannelError(src, back, 0, src.height() / 2), 8);
    EXPECT_LE(maxChannelError(src, back, src.height() / 2, src.height()), 12);
}

TEST(JpegWriter, LowerQualityGivesSmallerFile) {
    const QImage src = barsImage();
    EXPECT_LT(encodeJpeg(src, 50).value.size(), encodeJpeg(src).value.size());
}

TEST(JpegWriter, ReportsLibjpegErrorsInsteadOfExiting) {
    // libjpeg's limit is 65500 pixels a side; its error must come back as a failure.
    QImage tooWide(65501, 1, QImage::Format_RGB32);
    tooWide.fill(Qt::white);
    const auto encoded = encodeJpeg(tooWide);
    EXPECT_FALSE(encoded.ok);
    EXPECT_TRUE(encoded.error.contains("65500")) << encoded.error.toStdString();
    EXPECT_FALSE(encodeJpeg(QImage()).ok);
}

}  // namespace
}  // namespace strikon
