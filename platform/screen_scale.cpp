#include "screen_scale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace strikon {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kDefaultDpi = 96.0;
// Screens from a wall projector to a phone lie well inside these bounds; a value outside them
// means the system reported nonsense (some X servers report 0 mm or a made-up size).
constexpr double kMinPxPerMm = 0.5;
constexpr double kMaxPxPerMm = 100.0;

bool usable(double pxPerMm) {
    return std::isfinite(pxPerMm) && pxPerMm >= kMinPxPerMm && pxPerMm <= kMaxPxPerMm;
}

// Nothing from the screen's millimetres: the scale comes from its dpi and the size is unknown.
double axisScale(int pixels, double mm, double dpi, bool& sizeUnknown) {
    if (mm > 0 && pixels > 0) {
        const double measured = pixels / mm;
        if (usable(measured)) {
            return measured;
        }
    }
    sizeUnknown = true;
    const double fromDpi = dpi / kMmPerInch;
    return usable(fromDpi) ? fromDpi : kDefaultDpi / kMmPerInch;
}

bool axisAt96Dpi(int nativePixels, double mm) {
    // Qt rounds the made-up size to whole millimetres.
    return std::abs(nativePixels * kMmPerInch / kDefaultDpi - mm) < 1.0;
}

}  // namespace

ScreenScale screenScaleFromMetrics(QSize logicalPixels, QSizeF physicalMm, QSizeF logicalDpi) {
    ScreenScale scale;
    scale.x =
        axisScale(logicalPixels.width(), physicalMm.width(), logicalDpi.width(), scale.sizeUnknown);
    scale.y = axisScale(logicalPixels.height(), physicalMm.height(), logicalDpi.height(),
                        scale.sizeUnknown);
    return scale;
}

ScreenScale deviceScale(const ScreenScale& logical, double devicePixelRatio) {
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    return {logical.x * ratio, logical.y * ratio, logical.sizeUnknown};
}

bool looksDerivedFrom96Dpi(QSize nativePixels, QSizeF physicalMm) {
    return axisAt96Dpi(nativePixels.width(), physicalMm.width()) &&
           axisAt96Dpi(nativePixels.height(), physicalMm.height());
}

ScreenScale screenScaleFor(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return screenScaleFromMetrics({}, {}, QSizeF(kDefaultDpi, kDefaultDpi));
    }
    const QSize logical = screen->geometry().size();
    ScreenScale scale = screenScaleFromMetrics(
        logical, screen->physicalSize(),
        QSizeF(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()));
    const QSize native = (QSizeF(logical) * screen->devicePixelRatio()).toSize();
    scale.sizeUnknown = scale.sizeUnknown || looksDerivedFrom96Dpi(native, screen->physicalSize());
    return scale;
}

}  // namespace strikon
