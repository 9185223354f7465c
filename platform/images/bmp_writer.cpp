#include "platform/images/bmp_writer.h"

#include <QBuffer>
#include <QImageWriter>

#include "platform/images/atomic_write.h"

namespace strikon {

ValueResult<QByteArray> encodeBmp(const QImage& image) {
    if (image.isNull()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("The picture is empty."));
    }
    // Qt writes RGB32 as a 24-bit bitmap; an image with alpha would become a 32-bit one, which
    // some readers mishandle. The conversion keeps dotsPerMeterX/Y.
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(opaque)) {
        return ValueResult<QByteArray>::failure(writer.errorString());
    }
    return ValueResult<QByteArray>::success(std::move(bytes));
}

WriteResult writeBmp(const QImage& image, const QString& path) {
    auto encoded = encodeBmp(image);
    if (!encoded.ok) {
        return WriteResult::failure(encoded.error);
    }
    return writeFileAtomically(path, encoded.value);
}

}  // namespace strikon
