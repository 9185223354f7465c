// The preview on a scaled screen. CTest runs this binary at QT_SCALE_FACTOR 1, 1.5 and 2; the
// grab of the preview, in device pixels, must be what the encoders draw at the device's own
// pixels per millimetre, and must scan.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPixmap>
#include <QtTest/QTest>

#include "app/main_form.h"
#include "render/draw_symbol.h"
#include "surface/qt_surface.h"
#include "tests/support/decoders.h"
#include "ui_main_form.h"

namespace strikon {
namespace {

// What the encoders draw into an image of the given device size at the given device scale,
// on the window colour, with the preview's whole-millimetre offsets.
QImage encodersAt(const SymbolRequest& request, QSize device, double pxPerMm,
                  const QColor& window) {
    QImage image(device, QImage::Format_RGB32);
    image.fill(window);
    QPainter painter(&image);
    QtSurface surface(painter);
    Rect measured;
    renderSymbol(request, nullptr, measured, 0, 0, pxPerMm, pxPerMm);
    Rect drawn;
    renderSymbol(request, &surface, drawn, centringOffset(device.width(), measured.right, pxPerMm),
                 centringOffset(device.height(), measured.bottom, pxPerMm), pxPerMm, pxPerMm);
    return image;
}

// The columns that hold anything but the window colour.
std::pair<int, int> symbolColumns(const QImage& image, const QColor& window) {
    int first = image.width(), last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) != window) {
                first = std::min(first, x);
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

TEST(PreviewOnScaledScreen, DrawnInDevicePixelsAtTrueSizeAndScans) {
    TMainForm form;
    auto& ui = form.controls();
    ui.EANUPC_CodeValue->setText(QStringLiteral("4006381333931"));
    ui.EANUPC_Size->setValue(200);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const double ratio = ui.PaintBox->devicePixelRatioF();
    EXPECT_DOUBLE_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble())
        << "the scale factor did not reach Qt";
    const double pxPerMm = form.previewScale().x * ratio;
    const QImage grab = ui.PaintBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor window = form.palette().color(QPalette::Window);

    const std::optional<SymbolRequest> request = form.currentSymbol();
    ASSERT_TRUE(request);
    const QImage expected = encodersAt(*request, grab.size(), pxPerMm, window);
    int wrong = 0;
    for (int y = 0; y < grab.height(); ++y) {
        for (int x = 0; x < grab.width(); ++x) {
            if (grab.pixel(x, y) != expected.pixel(x, y) && ++wrong <= 5) {
                ADD_FAILURE() << "device pixel " << x << "," << y << " differs";
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "of " << grab.width() << " x " << grab.height() << " at " << ratio;

    // EAN-13 at 200 %: 113 modules of 0.66 mm, quiet zones included, whatever the ratio.
    const auto [first, last] = symbolColumns(grab, window);
    EXPECT_NEAR((last - first + 1) / pxPerMm, 113 * 0.66, 2 / pxPerMm);

    const QImage grey = grab.convertToFormat(QImage::Format_Grayscale8);
    const testing::GreyView view{grey.constBits(), grey.width(), grey.height(),
                                 static_cast<int32_t>(grey.bytesPerLine())};
    const auto reads = testing::readWithZXing(view, testing::Symbology::EAN13);
    EXPECT_EQ(testing::asDrawn(reads, testing::Symbology::EAN13), "4006381333931")
        << testing::describe(reads);
}

}  // namespace
}  // namespace strikon
