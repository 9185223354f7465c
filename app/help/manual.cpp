#include "manual.h"

#include <QFile>

#include "formats/rtf/rtf_reader.h"

// Resources compiled into a static library are registered only when something refers to them.
static void initManualResources() {
    Q_INIT_RESOURCE(manuals);
}

namespace strikon {

QString manualResource(const QString& lang) {
    if (lang == QLatin1String("RUS")) {
        return QStringLiteral(":/manuals/HELPRUS");
    }
    if (lang == QLatin1String("ENG")) {
        return QStringLiteral(":/manuals/HELPENG");
    }
    return {};
}

bool loadManual(const QString& resource, QTextDocument& document) {
    initManualResources();
    QFile stream(resource);  // closed by its destructor on every path
    if (resource.isEmpty() || !stream.open(QIODevice::ReadOnly)) {
        return false;
    }
    readRtf(stream.readAll(), document);
    return true;
}

}  // namespace strikon
