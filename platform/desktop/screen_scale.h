#pragma once
// Pixels per millimetre of a screen, per axis, in the units that a painter on a widget uses
// (logical pixels). On a high-density screen a logical pixel covers several device pixels, and
// the scale is still logical pixels per millimetre, so a symbol keeps its physical size.

#include <QSize>
#include <QSizeF>

class QWidget;

namespace strikon {

struct ScreenScale {
    double x = 0;
    double y = 0;
};

// The scale from a screen's size in logical pixels and its physical size in millimetres, one
// axis at a time. An axis whose physical size is unusable (zero, negative, not a number, or
// giving a scale outside 0.5..100 px/mm, i.e. about 13..2540 dots per inch) uses the logical
// dots per inch / 25.4 instead, and 96 dpi when that is unusable too.
ScreenScale screenScaleFromMetrics(QSize logicalPixels, QSizeF physicalMm, QSizeF logicalDpi);

// The scale of the screen that shows the widget (the primary screen when it has none yet;
// 96 dpi when there is no screen at all).
ScreenScale screenScaleFor(const QWidget& widget);

}  // namespace strikon
