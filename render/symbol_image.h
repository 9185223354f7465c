#pragma once
// The symbol as a picture: exactly its bounding rectangle, quiet zones included, drawn by the
// same measure-then-draw encoder call as the preview, at a scale of the caller's choosing.

#include <QImage>
#include <QSize>
#include <optional>

#include "render/symbol_request.h"

class QPainter;

namespace strikon {

// Dots per inch of saved, copied and exported pictures.
constexpr double kImageDpi = 300.0;
constexpr double kMmPerInch = 25.4;
constexpr double kImagePxPerMm = kImageDpi / kMmPerInch;

// The symbol's size in pixels at offset zero, or nothing when the request describes no symbol.
std::optional<QSize> measureSymbol(const SymbolRequest& request, double pxPerMmX, double pxPerMmY);

// Draws the symbol with the top-left corner of its bounding rectangle at the painter's origin,
// in device pixels of the given scale. The painter must be active.
// The bars and digits take the request's line colour, the parts the encoder fills its background.
void paintSymbol(QPainter& painter, const SymbolRequest& request, double pxPerMmX, double pxPerMmY);

// Returns a null image when the request describes no symbol. The image's density is set from
// the scale, so writers that store it (BMP, PNG, JPEG) record the symbol's physical size.
QImage renderSymbolImage(const SymbolRequest& request, double pxPerMmX = kImagePxPerMm,
                         double pxPerMmY = kImagePxPerMm);

// The same pixels in an 8-bit picture (Format_Indexed8) whose colour table holds exactly its
// colours, drawn in them directly: for the writers that store a palette (BMP, PNG), with a
// quarter of the memory to fill and no colours to look up. Where the colours are translucent
// or more than 256, the RGB32 picture of renderSymbolImage instead. recycled: the picture this
// one replaces, if any; its memory is drawn in again when it has the same size and format.
QImage renderSymbolPalettePicture(const SymbolRequest& request, double pxPerMmX = kImagePxPerMm,
                                  double pxPerMmY = kImagePxPerMm, QImage recycled = QImage());

// The picture's physical size in millimetres at the given scale.
QSizeF imageSizeMm(const QImage& image, double pxPerMmX = kImagePxPerMm,
                   double pxPerMmY = kImagePxPerMm);

}  // namespace strikon
