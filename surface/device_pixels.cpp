#include "device_pixels.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>
#include <cmath>

namespace strikon {

double devicePixelRatioOf(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const double ratio = device ? device->devicePixelRatioF() : 1.0;
    return ratio > 0 ? ratio : 1.0;
}

QSize useDevicePixels(QPainter& painter, QSize logicalSize) {
    const double ratio = devicePixelRatioOf(painter);
    if (ratio == 1.0) {
        return logicalSize;
    }
    // deviceTransform = world x (what Qt adds: the ratio and any offset). Replace the world
    // transform by one that cancels Qt's part down to a whole-pixel translation.
    const QTransform toDevice = painter.deviceTransform();
    const QTransform added = painter.worldTransform().inverted() * toDevice;
    const QPointF origin = toDevice.map(QPointF(0, 0));
    const QTransform wanted =
        QTransform::fromTranslate(std::round(origin.x()), std::round(origin.y()));
    painter.setWorldTransform(wanted * added.inverted());
    return (QSizeF(logicalSize) * ratio).toSize();
}

}  // namespace strikon
