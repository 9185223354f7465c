// Writes that fail: the reason comes back, no file or temporary file appears, and a file that
// was already there keeps its contents.

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>

#include "formats/bmp_writer.h"
#include "formats/docx_writer.h"
#include "formats/jpeg_writer.h"
#include "formats/png_bytes.h"
#include "platform/atomic_write.h"
#include "render/symbol_image.h"
#include "tests/support/sample_images.h"

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

// What a writer said when it ran in a child process.
struct ChildOutcome {
    bool ok = false;
    QString error;
};

// Runs the writer in a child process set up by `setUp`, which never touches this process; a
// writer that crashed or hung shows as a failure here.
ChildOutcome runChild(const Writer& write, const QString& path,
                      const std::function<void()>& setUp = {}) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return {true, QStringLiteral("no pipe")};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (setUp) {
            setUp();
        }
        const WriteResult r = write(path);
        const QByteArray report = (r.ok ? "1" : "0") + r.error.toUtf8();
        [[maybe_unused]] ssize_t n = ::write(channel[1], report.constData(), report.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray report;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        report.append(buffer, n);
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || report.isEmpty()) {
        return {true, QStringLiteral("the child did not report")};
    }
    return {report.startsWith('1'), QString::fromUtf8(report.mid(1))};
}

// Files cannot grow past `limit` bytes, as on a full disk (EFBIG; SIGXFSZ ignored, else the
// kernel kills the child).
ChildOutcome writeUnderFileSizeLimit(const Writer& write, const QString& path, rlim_t limit) {
    return runChild(write, path, [limit] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower{};
        getrlimit(RLIMIT_FSIZE, &lower);
        lower.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lower);
    });
}

// The writer run by an ordinary user (a child that gave up the super-user's rights for good).
ChildOutcome writeAs(const Writer& write, const QString& path, uid_t user, gid_t group) {
    return runChild(write, path, [user, group] {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(group, group, group) != 0 ||
            ::setresuid(user, user, user) != 0) {
            ::_exit(1);
        }
    });
}

// Noise does not compress: a picture of this size is a large file in every format.
QImage noiseImage(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = 0xff000000u | random.bounded(0x1000000u);
        }
    }
    return img;
}

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

// Each writer with an output under Qt's 16 KB write buffer (which once hid the failure until
// after the rename) and one well over it, on a "disk" that fills after `limit` bytes.
TEST(AtomicWrite, FullDiskIsReportedAndKeepsTheEarlierFileWhole) {
    // Encoded and converted here: Qt converts large pictures on a thread pool, which a forked
    // child cannot use. The writers then only encode and write.
    const QImage small = barsImage(60, 40);
    const QImage large = noiseImage(800, 600);
    SymbolRequest itf14;
    itf14.symbology = Symbology::ITF14;
    itf14.digits = "15400141288763";
    const double dpi400 = 400 / kMmPerInch;
    const QImage symbol = renderSymbolPalettePicture(itf14, dpi400, dpi400);  // from its rows
    const QImage smallRgb = small.convertToFormat(QImage::Format_RGB888);
    const QImage largeRgb = large.convertToFormat(QImage::Format_RGB888);
    const QByteArray smallPng = pngBytes(small), largePng = pngBytes(large);
    struct Case {
        const char* name;
        Writer write;
        rlim_t limit;
    };
    const Case cases[] = {
        {"small bmp", [&](const QString& p) { return writeBmp(small, p); }, 512},
        {"large bmp", [&](const QString& p) { return writeBmp(large, p); }, 64 * 1024},
        {"8-bit bmp", [&](const QString& p) { return writeBmp(symbol, p); }, 64 * 1024},
        {"small jpeg", [&](const QString& p) { return writeJpeg(smallRgb, p); }, 1024},
        {"large jpeg", [&](const QString& p) { return writeJpeg(largeRgb, p); }, 64 * 1024},
        {"small docx", [&](const QString& p) { return writeDocx(p, smallPng, 5, 3); }, 512},
        {"large docx", [&](const QString& p) { return writeDocx(p, largePng, 68, 51); }, 64 * 1024},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("old");
    const QByteArray old(3000, 'o');
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    for (const Case& c : cases) {
        // The output must pass the limit, and the large one Qt's buffer by far.
        test::writeFile(path, {});
        ASSERT_TRUE(c.write(path).ok) << c.name;
        const qint64 size = QFileInfo(path).size();
        ASSERT_GT(size, c.limit * 2) << c.name;
        ASSERT_TRUE(c.limit < 4096 ? size < 16 * 1024 : size > 1024 * 1024) << c.name << size;

        test::writeFile(path, old);
        const ChildOutcome r = writeUnderFileSizeLimit(c.write, path, c.limit);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.error, tooLarge) << c.name;
        EXPECT_EQ(test::readFile(path), old) << c.name;
        EXPECT_EQ(entriesOf(dir.path()), QStringList{"old"}) << c.name;
    }
}

// What already stands at the name decides: a link is followed only when asked, and nothing
// that is not a regular file is ever replaced.
TEST(AtomicWrite, LinksAndSpecialFilesAtTheName) {
    struct Case {
        const char* name;
        LinkPolicy links;
        bool fifo;  // else a link to a file outside the folder
        bool written;
    };
    const Case cases[] = {
        {"link, followed", LinkPolicy::Follow, false, true},
        {"link, refused", LinkPolicy::Refuse, false, false},
        {"fifo, follow", LinkPolicy::Follow, true, false},
        {"fifo, refuse", LinkPolicy::Refuse, true, false},
    };
    for (const Case& c : cases) {
        QTemporaryDir outside, folder;
        const QString secret = outside.filePath("secret");
        const QString name = folder.filePath("a.png");
        test::writeFile(secret, "secret");
        ASSERT_EQ(c.fifo ? ::mkfifo(QFile::encodeName(name).constData(), 0600)
                         : ::symlink(QFile::encodeName(secret).constData(),
                                     QFile::encodeName(name).constData()),
                  0);
        const WriteResult r = writeFileAtomically(name, "new", c.links);
        EXPECT_EQ(r.ok, c.written) << c.name;
        EXPECT_EQ(r.error.isEmpty(), c.written) << c.name;
        EXPECT_EQ(test::readFile(secret), c.written ? "new" : "secret") << c.name;
        EXPECT_EQ(QFileInfo(name).isSymLink(), !c.fifo) << c.name << ": the link itself stays";
        EXPECT_EQ(entriesOf(folder.path()), QStringList{"a.png"}) << c.name;
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

TEST(AtomicWrite, ReplacesExistingFileWholeAndKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    test::writeFile(path, QByteArray(4096, 'a'));
    const QByteArray native = QFile::encodeName(path);
    ASSERT_EQ(::chmod(native.constData(), 0640), 0);  // not what a new file would get
    ASSERT_TRUE(writeFileAtomically(path, "short").ok);
    EXPECT_EQ(test::readFile(path), "short");
    struct stat st {};
    ASSERT_EQ(::stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"f"});
}

// A file the user may not write stays as it is, byte for byte, whether written at once or
// staged for a batch: one at mode 0444 and another user's (0644, and 0666, which the user could
// write in place but a rename would take over). The user is an ordinary one: tests running as
// the super-user, which may write anything, run the writes in a child as "nobody".
TEST(AtomicWrite, RefusesAFileTheUserMayNotWrite) {
    const bool root = ::geteuid() == 0;
    const passwd* nobody = root ? ::getpwnam("nobody") : nullptr;
    const uid_t user = nobody != nullptr ? nobody->pw_uid : root ? 65534 : ::geteuid();
    const gid_t group = nobody != nullptr ? nobody->pw_gid : root ? 65534 : ::getegid();
    struct Case {
        const char* name;
        mode_t mode;
        bool othersFile;
        bool asRoot;  // the super-user writes it, keeping its owner
    };
    const Case cases[] = {
        {"own file at 0444", 0444, false, false},
        {"another user's file at 0644", 0644, true, false},
        {"another user's file at 0666", 0666, true, false},
        {"another user's file, written by the super-user", 0644, true, true},
    };
    for (const Case& c : cases) {
        if ((c.othersFile || c.asRoot) && !root) {
            std::printf("[ SKIPPED  ] %s: only the super-user can give a file to another user\n",
                        c.name);
            continue;
        }
        for (const bool staged : {false, true}) {
            QTemporaryDir dir;
            const QByteArray folder = QFile::encodeName(dir.path());
            ASSERT_EQ(::chmod(folder.constData(), 0777), 0);  // the user may write the folder
            const QString path = dir.filePath("locked.png");
            const QByteArray native = QFile::encodeName(path);
            test::writeFile(path, "earlier");
            const uid_t owner = c.othersFile ? (root ? 0 : user) + 4242 : user;
            ASSERT_TRUE(!root || ::chown(native.constData(), owner, group) == 0);
            ASSERT_EQ(::chmod(native.constData(), c.mode), 0);
            const Writer write = [staged](const QString& p) {
                if (!staged) {
                    return writeFileAtomically(p, "new");
                }
                const ValueResult<StagedFile> f = stageFile(p, "new");
                return f.ok ? commitStaged({f.value}).front() : WriteResult::failure(f.error);
            };
            const auto run = [&](const QString& p) {
                return root && !c.asRoot ? writeAs(write, p, user, group) : runChild(write, p);
            };
            // The folder itself is open to the user: only the file stands in the way.
            ASSERT_TRUE(run(dir.filePath("fresh.png")).ok) << c.name;
            ASSERT_TRUE(QFile::remove(dir.filePath("fresh.png")));
            const ChildOutcome r = run(path);
            const std::string name = std::string(c.name) + (staged ? ", staged" : "");
            EXPECT_EQ(r.ok, c.asRoot) << name;
            EXPECT_EQ(r.error, c.asRoot ? QString() : QString::fromLocal8Bit(std::strerror(EACCES)))
                << name;
            EXPECT_EQ(test::readFile(path), c.asRoot ? "new" : "earlier") << name;
            struct stat st {};
            ASSERT_EQ(::stat(native.constData(), &st), 0);
            EXPECT_EQ(st.st_uid, owner) << name;
            EXPECT_EQ(st.st_mode & 07777, c.mode) << name;
            EXPECT_EQ(entriesOf(dir.path()), QStringList{"locked.png"}) << name;
        }
    }
}

// Staged files: nothing under a target's name until the commit; then each target whole, or,
// where it cannot be named (a folder took its place), untouched with no temporary left while
// the others still land. A file already there is replaced, not refused.
TEST(StagedWrite, TargetsChangeOnlyAtTheCommitAndAFailureStaysWithItsFile) {
    QTemporaryDir dir;
    const QString kept = dir.filePath("kept.png");
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    std::vector<StagedFile> files;
    for (const char* name : {"kept.png", "new.png", "blocked.png"}) {
        const ValueResult<StagedFile> staged = stageFile(dir.filePath(name), QByteArray(name));
        ASSERT_TRUE(staged.ok) << staged.error.toStdString();
        files.push_back(staged.value);
    }
    {
        // Staged and dropped, as by a crash before the commit: an unnamed file leaves nothing.
        const ValueResult<StagedFile> dropped = stageFile(dir.filePath("dropped.png"), "x");
        ASSERT_TRUE(dropped.ok);
        EXPECT_EQ(dropped.value.unnamed != nullptr, dropped.value.temporary.isEmpty());
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("blocked.png"));  // a folder now stands in the way
    EXPECT_EQ(test::readFile(kept), "old");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("new.png")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.png"});
    for (const QString& hidden : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
        EXPECT_TRUE(hidden == "kept.png" || hidden.endsWith(".tmp")) << hidden.toStdString();
    }
    if (files.front().unnamed) {  // where the system makes files without names
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.png"});
    }

    const std::vector<WriteResult> committed = commitStaged(files);
    ASSERT_EQ(committed.size(), 3u);
    EXPECT_TRUE(committed[0].ok && committed[1].ok);
    EXPECT_FALSE(committed[2].ok);
    EXPECT_FALSE(committed[2].error.isEmpty());
    EXPECT_EQ(test::readFile(kept), "kept.png");
    EXPECT_EQ(test::readFile(dir.filePath("new.png")), "new.png");
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{"blocked.png", "kept.png", "new.png"}));
}

}  // namespace
}  // namespace strikon
