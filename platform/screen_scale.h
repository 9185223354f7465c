#pragma once
// Pixels per millimetre of a screen, per axis. Qt measures a screen in logical pixels; on a
// high-density or scaled screen a logical pixel covers several device pixels (1.25, 1.5, 2...),
// and a symbol drawn in logical pixels is stretched by Qt afterwards, which makes bars uneven.
// So the scale is read in logical pixels and turned into device pixels for drawing.

#include <QSize>
#include <QSizeF>

class QWidget;

namespace strikon {

struct ScreenScale {
    double x = 0;
    double y = 0;
    // The screen gave no physical size of its own, so the scale is a stand-in (96 dpi, or the
    // logical dpi) and a symbol's size on the glass is not its true size.
    bool sizeUnknown = false;
};

// The same scale in device pixels: each axis times the device pixel ratio.
ScreenScale deviceScale(const ScreenScale& logical, double devicePixelRatio);

// Whether a physical size is the one Qt makes up for a screen that reports none: the size the
// screen's native pixels would have at 96 dpi, to the millimetre. (X servers without a
// monitor, such as virtual displays, report 0 mm, and Qt silently puts this in its place.)
bool looksDerivedFrom96Dpi(QSize nativePixels, QSizeF physicalMm);

// The scale from a screen's size in logical pixels and its physical size in millimetres, one
// axis at a time. An axis whose physical size is unusable (zero, negative, not a number, or
// giving a scale outside 0.5..100 px/mm, i.e. about 13..2540 dots per inch) uses the logical
// dots per inch / 25.4 instead, and 96 dpi when that is unusable too; either marks the size
// unknown.
ScreenScale screenScaleFromMetrics(QSize logicalPixels, QSizeF physicalMm, QSizeF logicalDpi);

// The scale of the screen that shows the widget, in logical pixels (the primary screen when it
// has none yet; 96 dpi when there is no screen at all).
ScreenScale screenScaleFor(const QWidget& widget);

}  // namespace strikon
