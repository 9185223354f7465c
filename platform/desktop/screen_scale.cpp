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

double axisScale(int pixels, double mm, double dpi) {
    if (mm > 0 && pixels > 0) {
        const double measured = pixels / mm;
        if (usable(measured)) {
            return measured;
        }
    }
    const double fromDpi = dpi / kMmPerInch;
    return usable(fromDpi) ? fromDpi : kDefaultDpi / kMmPerInch;
}

}  // namespace

ScreenScale screenScaleFromMetrics(QSize logicalPixels, QSizeF physicalMm, QSizeF logicalDpi) {
    return {axisScale(logicalPixels.width(), physicalMm.width(), logicalDpi.width()),
            axisScale(logicalPixels.height(), physicalMm.height(), logicalDpi.height())};
}

ScreenScale screenScaleFor(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return screenScaleFromMetrics({}, {}, QSizeF(kDefaultDpi, kDefaultDpi));
    }
    return screenScaleFromMetrics(
        screen->geometry().size(), screen->physicalSize(),
        QSizeF(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()));
}

}  // namespace strikon
