#include "surface/pen_font_surface.h"

#include "surface/font_cache.h"

namespace strikon {

void PenFontSurface::setFont(const std::string& face, int32_t cellHeight) {
    font_ = cachedCellFont(QString::fromStdString(face), cellHeight);
}

int32_t PenFontSurface::textWidth(const std::string& text) {
    return font_.textWidth(QString::fromStdString(text));
}

}  // namespace strikon
