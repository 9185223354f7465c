#pragma once
// The symbol as a picture: exactly its bounding rectangle, quiet zones included, drawn by the
// same measure-then-draw encoder call as the preview, at a scale of the caller's choosing.

#include <QColor>
#include <QImage>

#include "app/render_dispatch.h"

namespace strikon {

// Dots per inch of saved, copied and exported pictures.
constexpr double kImageDpi = 300.0;
constexpr double kMmPerInch = 25.4;
constexpr double kImagePxPerMm = kImageDpi / kMmPerInch;

// Returns a null image when the request describes no symbol. The image's density is set from
// the scale, so writers that store it (BMP, PNG, JPEG) record the symbol's physical size.
QImage renderSymbolImage(const SymbolRequest& request, const QColor& lineColor,
                         const QColor& backgroundColor, double pxPerMmX = kImagePxPerMm,
                         double pxPerMmY = kImagePxPerMm);

// The picture's physical size in millimetres at the given scale.
QSizeF imageSizeMm(const QImage& image, double pxPerMmX = kImagePxPerMm,
                   double pxPerMmY = kImagePxPerMm);

}  // namespace strikon
