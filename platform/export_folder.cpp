#include "platform/export_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace strikon {

namespace {

const QString kFolderPattern = QStringLiteral("Strikon-XXXXXX");

// A folder this program made and filled: nothing in it but its documents, none of them changed
// since `staleBefore`. Links and subfolders mean someone else put them there.
bool isStaleExport(const QFileInfo& folder, const QDateTime& staleBefore) {
    if (folder.isSymLink() || !folder.isDir() || folder.lastModified() >= staleBefore) {
        return false;
    }
    const QFileInfoList entries =
        QDir(folder.filePath())
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || !entry.isFile() ||
            !entry.fileName().startsWith(QLatin1String("Strikon")) ||
            entry.suffix() != QLatin1String("docx") || entry.lastModified() >= staleBefore) {
            return false;
        }
    }
    return true;
}

}  // namespace

void removeStaleExportFolders(const QString& temp, const QDateTime& staleBefore) {
    const QFileInfoList folders =
        QDir(temp).entryInfoList({QStringLiteral("Strikon-??????")}, QDir::Dirs | QDir::Hidden);
    for (const QFileInfo& folder : folders) {
        if (isStaleExport(folder, staleBefore)) {
            QDir(folder.filePath()).removeRecursively();
        }
    }
}

ValueResult<QString> ExportFolder::nextDocxPath() {
    // Qt gives an empty path when TMPDIR names a folder that does not exist; a relative template
    // would then put the export in the current working directory.
    const QString temp = QDir::tempPath();
    if (temp.isEmpty()) {
        return ValueResult<QString>::failure(
            QStringLiteral("The temporary folder (TMPDIR) does not exist."));
    }
    const QFileInfo current(folder_);
    if (folder_.isEmpty() || !current.isDir() || current.isSymLink() ||
        current.absolutePath() != QFileInfo(temp).absoluteFilePath()) {
        removeStaleExportFolders(temp, QDateTime::currentDateTime().addSecs(-kStaleExportSeconds));
        QTemporaryDir dir(QDir(temp).filePath(kFolderPattern));
        if (!dir.isValid()) {
            return ValueResult<QString>::failure(dir.errorString());
        }
        dir.setAutoRemove(false);
        folder_ = dir.path();
    }
    const QDir folder(folder_);
    QString name = QString::fromLatin1(kExportDocxName);
    for (int n = 2; QFileInfo::exists(folder.filePath(name)); ++n) {
        name = QStringLiteral("Strikon-%1.docx").arg(n);
    }
    return ValueResult<QString>::success(folder.filePath(name));
}

}  // namespace strikon
