// The folder Export to Word writes into: new each time, under the temporary directory.

#include <gtest/gtest.h>

#include <QDir>
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

TEST(ExportFolder, EachExportGetsItsOwnNewFolder) {
    QTemporaryDir scratch;
    TempDirOverride tmp(scratch.path());

    const auto first = newExportDocxPath();
    const auto second = newExportDocxPath();
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    ASSERT_TRUE(second.ok) << second.error.toStdString();

    const QFileInfo a(first.value), b(second.value);
    EXPECT_EQ(a.fileName(), "Strikon.docx");
    EXPECT_NE(a.absolutePath(), b.absolutePath());
    EXPECT_EQ(QFileInfo(a.absolutePath()).absolutePath(),
              QFileInfo(scratch.path()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(a.absolutePath()).isDir());
    EXPECT_TRUE(QFileInfo(b.absolutePath()).isDir());
    EXPECT_FALSE(a.exists()) << "the document is the caller's to write";
}

TEST(ExportFolder, UnusableTemporaryDirectoryIsReported) {
    QTemporaryDir scratch;
    TempDirOverride tmp(scratch.filePath("missing"));
    const auto r = newExportDocxPath();
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    // Not quietly made relative to the working directory instead.
    EXPECT_TRUE(QDir::current().entryList({"Strikon-*"}).isEmpty());
}

}  // namespace
}  // namespace strikon
