// icon_png SVG SIZE PNG: renders the application icon at SIZE x SIZE pixels for the hicolor
// theme. Built and run at build time, so the PNGs always follow the one SVG the window also
// shows, drawn by the same Qt SVG renderer.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

// Only a fault is worth printing in a build log; Qt's start-up notices are not.
void faultsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "icon_png: %s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: icon_png SVG SIZE PNG\n");
        return 2;
    }
    // No screen is needed to draw into an image; this keeps the tool working in a bare build.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(faultsOnly);
    QGuiApplication app(argc, argv);
    const int size = QString::fromLocal8Bit(argv[2]).toInt();
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || size <= 0) {
        std::fprintf(stderr, "icon_png: cannot read %s or size %s\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "icon_png: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
