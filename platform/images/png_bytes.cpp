#include "platform/images/png_bytes.h"

#include <QBuffer>

namespace strikon {

QByteArray pngBytes(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return {};
    }
    return bytes;
}

}  // namespace strikon
