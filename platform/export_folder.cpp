#include "platform/export_folder.h"

#include <QDir>
#include <QTemporaryDir>

namespace strikon {

ValueResult<QString> newExportDocxPath() {
    // Qt gives an empty path when TMPDIR names a folder that does not exist; a relative template
    // would then put the export in the current working directory.
    const QString temp = QDir::tempPath();
    if (temp.isEmpty()) {
        return ValueResult<QString>::failure(
            QStringLiteral("The temporary folder (TMPDIR) does not exist."));
    }
    QTemporaryDir dir(QDir(temp).filePath(QStringLiteral("Strikon-XXXXXX")));
    if (!dir.isValid()) {
        return ValueResult<QString>::failure(dir.errorString());
    }
    dir.setAutoRemove(false);
    return ValueResult<QString>::success(dir.filePath(QString::fromLatin1(kExportDocxName)));
}

}  // namespace strikon
