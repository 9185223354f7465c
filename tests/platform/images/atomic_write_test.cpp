// Writes that fail: the reason comes back, no file or temporary file appears, and a file that
// was already there keeps its contents.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "platform/images/atomic_write.h"
#include "platform/images/bmp_writer.h"
#include "platform/images/docx_writer.h"
#include "platform/images/jpeg_writer.h"
#include "platform/images/png_bytes.h"
#include "sample_images.h"

namespace strikon {
namespace {

using test::barsImage;
using test::entriesOf;

using Writer = std::function<WriteResult(const QString& path)>;

// Every writer goes through the same atomic path; each is checked so none bypasses it.
std::vector<std::pair<const char*, Writer>> writers() {
    return {
        {"bmp", [](const QString& p) { return writeBmp(barsImage(), p); }},
        {"jpeg", [](const QString& p) { return writeJpeg(barsImage(), p); }},
        {"docx", [](const QString& p) { return writeDocx(p, pngBytes(barsImage()), 10, 7); }},
    };
}

// Simulates a full disk: files of this process cannot grow past the limit (EFBIG).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // else the kernel kills the process
        rlimit lower = saved_;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST(AtomicWrite, MissingFolderIsReportedAndNothingCreated) {
    QTemporaryDir dir;
    for (const auto& [name, write] : writers()) {
        const QString path = dir.filePath("missing/out");
        const WriteResult r = write(path);
        EXPECT_FALSE(r.ok) << name;
        EXPECT_FALSE(r.error.isEmpty()) << name;
        EXPECT_TRUE(entriesOf(dir.path()).isEmpty()) << name;
    }
}

TEST(AtomicWrite, FolderThatIsAFileIsReported) {
    // Tests may run as root, which ignores permission bits; a path through a regular file fails
    // for everyone.
    QTemporaryDir dir;
    test::writeFile(dir.filePath("plain"), "x");
    for (const auto& [name, write] : writers()) {
        const WriteResult r = write(dir.filePath("plain/out"));
        EXPECT_FALSE(r.ok) << name;
        EXPECT_FALSE(r.error.isEmpty()) << name;
        EXPECT_EQ(entriesOf(dir.path()), QStringList{"plain"}) << name;
    }
}

TEST(AtomicWrite, FullDiskKeepsExistingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("old");
    const QByteArray old = "previous contents";
    const QImage big = barsImage(400, 300);  // about 360 KB as a bitmap
    for (const auto& [name, write] : std::vector<std::pair<const char*, Writer>>{
             {"bmp", [&](const QString& p) { return writeBmp(big, p); }},
             {"bytes",
              [](const QString& p) { return writeFileAtomically(p, QByteArray(1 << 20, 'z')); }},
         }) {
        test::writeFile(path, old);
        WriteResult r;
        {
            FileSizeLimit limit(64 * 1024);
            r = write(path);
        }
        EXPECT_FALSE(r.ok) << name;
        EXPECT_FALSE(r.error.isEmpty()) << name;
        EXPECT_EQ(test::readFile(path), old) << name;
        EXPECT_EQ(entriesOf(dir.path()), QStringList{"old"}) << name;
    }
}

TEST(AtomicWrite, EncoderFailureKeepsExistingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.jpg");
    const QByteArray old = "previous contents";
    test::writeFile(path, old);

    QImage tooWide(65501, 1, QImage::Format_RGB32);
    tooWide.fill(Qt::white);
    const WriteResult r = writeJpeg(tooWide, path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(test::readFile(path), old);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"old.jpg"});
}

TEST(AtomicWrite, ReplacesExistingFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    test::writeFile(path, QByteArray(4096, 'a'));
    ASSERT_TRUE(writeFileAtomically(path, "short").ok);
    EXPECT_EQ(test::readFile(path), "short");
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"f"});
}

}  // namespace
}  // namespace strikon
