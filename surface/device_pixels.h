#pragma once
// Drawing in device pixels on a painter that Qt scales by the device pixel ratio.
//
// On a screen at 125, 150 or 200 %, a painter on a widget counts logical pixels and Qt scales
// every stroke afterwards: a bar one logical pixel wide becomes 1, 2 or 1.5 device columns, and
// a symbol whose bar widths are rounded to whole pixels loses that rounding. Undoing the scale
// lets the encoders place every edge on a device pixel themselves.

#include <QSize>

class QPainter;

namespace strikon {

// Sets the painter's world transform so that one unit is one device pixel, with the origin on
// the device pixel nearest to where the logical origin was. Returns the device size of an area
// of the given logical size (rounded to the nearest pixel). At a ratio of 1 the painter is left
// as it was. The caller saves and restores the painter's state around it.
QSize useDevicePixels(QPainter& painter, QSize logicalSize);

// The device pixel ratio of the painter's device (1 when it has none).
double devicePixelRatioOf(const QPainter& painter);

}  // namespace strikon
