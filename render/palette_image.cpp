#include "render/palette_image.h"

#include <QHash>

namespace strikon {

std::optional<QImage> exactPaletteImage(const QImage& image) {
    constexpr qsizetype kMaxColours = 256;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    if (rgb.isNull() || indexed.isNull()) {
        return std::nullopt;
    }
    QList<QRgb> palette;
    QHash<QRgb, uchar> index;
    QRgb last = 0;
    uchar lastIndex = 0;
    bool haveLast = false;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            // Runs of one colour are the rule (bars, quiet zones): skip the lookup for them.
            if (!haveLast || in[x] != last) {
                auto found = index.constFind(in[x]);
                if (found == index.constEnd()) {
                    if (palette.size() == kMaxColours) {
                        return std::nullopt;
                    }
                    found = index.insert(in[x], static_cast<uchar>(palette.size()));
                    palette.append(in[x]);
                }
                last = in[x];
                lastIndex = *found;
                haveLast = true;
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(palette);
    indexed.setDotsPerMeterX(image.dotsPerMeterX());
    indexed.setDotsPerMeterY(image.dotsPerMeterY());
    return indexed;
}

}  // namespace strikon
