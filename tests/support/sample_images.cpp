#include "tests/support/sample_images.h"

#include <QFile>

namespace strikon::test {

QImage barsImage(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.setDotsPerMeterX(kDpm300);
    img.setDotsPerMeterY(kDpm300);
    const QColor paper(255, 255, 224);
    const QColor ink(200, 0, 0);
    for (int y = 0; y < height; ++y) {
        const bool colour = y >= height / 2;
        int x = 0;
        for (int bar = 0; x < width; ++bar) {
            const int w = 1 + bar % 3;
            const bool dark = bar % 2 == 0;
            for (int i = 0; i < w && x < width; ++i, ++x) {
                const QColor c = colour ? (dark ? ink : paper) : (dark ? Qt::black : Qt::white);
                img.setPixelColor(x, y, c);
            }
        }
    }
    return img;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace strikon::test
