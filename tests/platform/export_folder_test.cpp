// The folder Export to Word writes into: one a run, under the temporary directory, and the
// stale folders of earlier runs cleared.

#include <gtest/gtest.h>
#include <sys/time.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/export_folder.h"

namespace strikon {
namespace {

// Points TMPDIR somewhere for the life of the object, so the test litters nothing.
class TempDirOverride {
  public:
    explicit TempDirOverride(const QString& path)
        : saved_(qgetenv("TMPDIR")), had_(qEnvironmentVariableIsSet("TMPDIR")) {
        qputenv("TMPDIR", path.toLocal8Bit());
    }
    ~TempDirOverride() {
        if (had_) {
            qputenv("TMPDIR", saved_);
        } else {
            qunsetenv("TMPDIR");
        }
    }

  private:
    QByteArray saved_;
    bool had_;
};

// Every export of a run in one folder, each under a new name, so none overwrites one still open.
TEST(ExportFolder, ExportsOfARunShareOneFolderUnderNewNames) {
    QTemporaryDir scratch;
    TempDirOverride tmp(scratch.path());
    ExportFolder folder;

    const auto first = folder.nextDocxPath();
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(first.value)) << "the document is the caller's to write";
    QFile(first.value).open(QIODevice::WriteOnly);
    const auto second = folder.nextDocxPath();
    ASSERT_TRUE(second.ok) << second.error.toStdString();

    const QFileInfo a(first.value), b(second.value);
    EXPECT_EQ(a.fileName(), "Strikon.docx");
    EXPECT_EQ(b.fileName(), "Strikon-2.docx");
    EXPECT_EQ(a.absolutePath(), b.absolutePath());
    EXPECT_EQ(QFileInfo(a.absolutePath()).absolutePath(),
              QFileInfo(scratch.path()).absoluteFilePath());
    EXPECT_TRUE(a.absolutePath().contains("/Strikon-"));
}

// Earlier runs' folders go once they are a day old and hold nothing but their documents.
TEST(ExportFolder, StaleFoldersOfEarlierRunsAreRemovedAndNothingElse) {
    QTemporaryDir scratch;
    const QDir top(scratch.path());
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime old = now.addSecs(-2 * kStaleExportSeconds);
    const struct {
        const char* folder;
        QStringList files;
        bool stale;
        bool removed;
    } cases[] = {
        {"Strikon-aaaaaa", {"Strikon.docx", "Strikon-2.docx"}, true, true},
        {"Strikon-bbbbbb", {"Strikon.docx"}, false, false},              // today's
        {"Strikon-cccccc", {"Strikon.docx", "notes.txt"}, true, false},  // not only ours
        {"Strikon-dddddd", {}, true, true},                              // never written
        {"Strikon-other", {"Strikon.docx"}, true, false},                // not our name
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(top.mkpath(c.folder));
        for (const QString& name : c.files) {
            QFile file(top.filePath(QString(c.folder) + "/" + name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            if (c.stale) {
                file.setFileTime(old, QFileDevice::FileModificationTime);
            }
        }
        if (c.stale) {
            const timeval times[2] = {{old.toSecsSinceEpoch(), 0}, {old.toSecsSinceEpoch(), 0}};
            ASSERT_EQ(::utimes(QFile::encodeName(top.filePath(c.folder)).constData(), times), 0);
        }
    }
    removeStaleExportFolders(scratch.path(), now.addSecs(-kStaleExportSeconds));
    for (const auto& c : cases) {
        EXPECT_EQ(top.exists(c.folder), !c.removed) << c.folder;
    }
}

TEST(ExportFolder, UnusableTemporaryDirectoryIsReported) {
    QTemporaryDir scratch;
    TempDirOverride tmp(scratch.filePath("missing"));
    const auto r = ExportFolder().nextDocxPath();
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    // Not quietly made relative to the working directory instead.
    EXPECT_TRUE(QDir::current().entryList({"Strikon-*"}).isEmpty());
}

}  // namespace
}  // namespace strikon
