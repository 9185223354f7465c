#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace strikon {

namespace {

// One translator for the application's lifetime; it is a child of the application object.
QTranslator* qtTranslator() {
    static QTranslator* translator = new QTranslator(QCoreApplication::instance());
    return translator;
}

}  // namespace

bool useQtTranslations(const QString& lang) {
    if (QCoreApplication::instance() == nullptr) {
        return false;
    }
    QTranslator* translator = qtTranslator();
    QCoreApplication::removeTranslator(translator);
    if (lang != QLatin1String("RUS")) {
        return true;
    }
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ru"), folder)) {
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace strikon
