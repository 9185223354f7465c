// The installed program as a script sees it: a subprocess, its exit status, its standard output
// and error, and the files it leaves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

struct Finished {
    int status = -1;
    QByteArray out;
    QString err;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// What the program runs under besides its arguments.
struct Under {
    rlim_t fileSizeLimit = 0;   // > 0: its files cannot grow past it, as on a full disk
    rlim_t openFiles = 0;       // > 0: ulimit -n
    bool littleMemory = false;  // no memory for a large picture
    QString standardOutput;     // a file in place of the pipe
    QString program = QStringLiteral(STRIKON_RENDER);
    QString platform;  // QT_QPA_PLATFORM as the user's desktop sets it; none when empty
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

void setLimit(int resource, rlim_t value) {
    rlimit limit{value, value};
    setrlimit(resource, &limit);
}

Finished render(const QStringList& args, const QString& workDir = {}, const Under& under = {}) {
    QProcess p;
    p.setChildProcessModifier([under] {
        if (under.fileSizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);  // kept across exec: writes fail with EFBIG instead
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = under.fileSizeLimit;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (under.openFiles > 0) {
            setLimit(RLIMIT_NOFILE, under.openFiles);
        }
        if (under.littleMemory && !kAddressSanitizer) {
            setLimit(RLIMIT_AS, 200000 * rlim_t{1024});  // ulimit -v 200000
        }
    });
    if (!under.standardOutput.isEmpty()) {
        p.setStandardOutputFile(under.standardOutput);
    }
    p.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program must choose offscreen itself
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (!under.platform.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), under.platform);
    }
    // The address sanitizer reserves more address space than any limit leaves; under it, an
    // allocation over 16 MB fails instead, as it would in a process short of memory.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               under.littleMemory && kAddressSanitizer
                   ? QStringLiteral("detect_leaks=0:allocator_may_return_null=1:"
                                    "max_allocation_size_mb=16")
                   : QStringLiteral("detect_leaks=0"));
    p.setProcessEnvironment(env);
    p.start(under.program, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

TEST(EndToEnd, HelpDocumentsEveryOption) {
    const Finished f = render({QStringLiteral("--help")});
    EXPECT_EQ(f.status, 0);
    EXPECT_TRUE(f.err.isEmpty()) << f.err.toStdString();
    for (const char* option :
         {"--type", "--digits", "--addon", "--size", "--dpi", "--line-color", "--background",
          "--check-digit", "--output", "--batch", "--output-dir", "--sheet", "--page", "--copies",
          "--run", "--skip", "Exit status"}) {
        EXPECT_TRUE(f.out.contains(option)) << option;
    }
}

// As from a desktop terminal over ssh: the desktop's platform is inherited, no display is
// reachable. The renderer draws anyway; both programs answer --help and --version and exit.
TEST(EndToEnd, NoDisplayNeededForDrawingHelpOrVersion) {
    const QString version = QStringLiteral(STRIKON_VERSION_TEXT);
    for (const char* platform : {"xcb", "wayland"}) {
        Under how;
        how.platform = QLatin1String(platform);
        QTemporaryDir dir;
        Finished f = render({"--type", "EAN-8", "--digits", "96385074", "--output", "a.svg"},
                            dir.path(), how);
        EXPECT_EQ(f.status, 0) << platform << ": " << f.err.toStdString();
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("a.svg")))) << platform;

        f = render({"--version"}, {}, how);
        EXPECT_EQ(f.status, 0) << platform;
        EXPECT_EQ(f.out, "strikon-render " + version.toUtf8() + "\n") << platform;

        how.program = QStringLiteral(STRIKON_WINDOW);
        f = render({"--version"}, {}, how);
        EXPECT_EQ(f.status, 0) << platform << ": " << f.err.toStdString();
        EXPECT_EQ(f.out, "strikon " + version.toUtf8() + "\n") << platform;
        f = render({"--help"}, {}, how);
        EXPECT_EQ(f.status, 0) << platform;
        EXPECT_TRUE(f.out.startsWith("Usage: strikon")) << f.out.toStdString();
        EXPECT_TRUE(f.err.isEmpty()) << f.err.toStdString();
    }
}

// A picture's bytes sent to a terminal are refused; a pipe or a file takes them.
TEST(EndToEnd, PngToATerminalIsRefused) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    Under how;
    how.standardOutput = QString::fromLocal8Bit(::ptsname(master));
    const Finished f =
        render({"--type", "EAN-8", "--digits", "96385074", "--output", "-"}, {}, how);
    ::close(master);
    EXPECT_EQ(f.status, 2);
    EXPECT_TRUE(
        f.err.startsWith(QStringLiteral("strikon-render: --output: standard output is a terminal")))
        << f.err.toStdString();
}

TEST(EndToEnd, DashWritesPngToStandardOutput) {
    const Finished f =
        render({"--type", "EAN-8", "--digits", "9638 5074", "--dpi", "600", "--output", "-"});
    EXPECT_EQ(f.status, 0) << f.err.toStdString();
    EXPECT_TRUE(f.err.isEmpty()) << f.err.toStdString();
    EXPECT_TRUE(f.out.startsWith("\x89PNG\r\n\x1a\n"));
    const QImage image = QImage::fromData(f.out, "PNG");
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.dotsPerMeterX(), 23622);  // 600 dpi
}

TEST(EndToEnd, WrongCheckDigitIsDrawnWithAWarning) {
    QTemporaryDir dir;
    const Finished f =
        render({"--type", "UPC-E", "--digits", "0425 2610", "--output", "e.jpg"}, dir.path());
    EXPECT_EQ(f.status, 0);
    EXPECT_EQ(f.err, QStringLiteral("strikon-render: warning: the check digit of UPC-E 04252610 "
                                    "should be 4; drawn as given (--check-digit corrects it)\n"));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("e.jpg"))));
}

TEST(EndToEnd, BadInputExitsWithTwoAndWritesNothing) {
    QTemporaryDir dir;
    const Finished f =
        render({"--type", "EAN-8", "--digits", "96385074", "--addon", "12", "--output", "x.png"},
               dir.path());
    EXPECT_EQ(f.status, 2);
    EXPECT_EQ(f.err, QStringLiteral("strikon-render: --addon: EAN-8 takes no add-on; only "
                                    "EAN-13, UPC-A and UPC-E do\n"));
    EXPECT_TRUE(f.out.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// Every format, small (under Qt's 16 KB write buffer, where the failure once went unseen) and
// as large as the program writes it (a 16 MB bitmap; a PDF stays near 4 KB), onto a disk that
// fills first: the reason is named, the earlier file stays as it was, no temporary is left.
TEST(EndToEnd, FullDiskFailsAndKeepsTheEarlierFile) {
    const QStringList small = {"--type", "EAN-8", "--digits", "96385074", "--dpi", "72"};
    const QStringList large = {"--type", "ITF-14", "--digits", "10012345678902", "--dpi", "1200"};
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    QTemporaryDir dir;
    const QByteArray old(600, 'o');
    for (const char* extension : {"bmp", "jpg", "png", "svg", "pdf"}) {
        for (const bool big : {false, true}) {
            const QString name = QStringLiteral("keep.") + QLatin1String(extension);
            const QString path = dir.filePath(name);
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
            file.close();
            const std::string what = name.toStdString() + (big ? " large" : " small");

            const Finished f =
                render((big ? large : small) + QStringList{"--output", name}, dir.path(), [big] {
                    Under u;
                    u.fileSizeLimit = big ? 2048 : 512;
                    return u;
                }());
            EXPECT_EQ(f.status, 2) << what;
            EXPECT_TRUE(f.err.contains(name + QStringLiteral(": ") + tooLarge))
                << what << ": " << f.err.toStdString();
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), old) << what;
            file.close();
            EXPECT_EQ(QDir(dir.path())
                          .entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                     QDir::NoDotAndDotDot),
                      QStringList{name})
                << what;
            file.remove();
        }
    }
}

// Limits of the process: a picture larger than the memory left is said to be that; a low limit
// of open files costs no row; a failed write to standard output and an output folder that is a
// file say why.
TEST(EndToEnd, LimitsOfTheProcessAreNamedOrKeptWithin) {
    QTemporaryDir dir;
    writeFile(dir.filePath("plain"), "x");
    QByteArray rows = "type,digits,file\n";
    for (int i = 0; i < 400; ++i) {
        rows += "EAN-8,96385074,r" + QByteArray::number(i) + ".png\n";
    }
    writeFile(dir.filePath("rows.csv"), rows);
    const QStringList itf14 = {"--type", "ITF-14", "--digits", "10012345678902", "--dpi", "1200"};
    struct Case {
        const char* name;
        QStringList args;
        Under under;
        int status;
        QString err;  // a line of it, whole or its start
    };
    const Case cases[] = {
        {"out of memory", itf14 + QStringList{"--output", "big.jpg"},
         [] {
             Under u;
             u.littleMemory = true;
             return u;
         }(),
         2,
         "strikon-render: --output: out of memory: a picture of 7198 x 2236 pixels does not fit"},
        {"open files",
         {"--batch", "rows.csv", "--output-dir", "out", "--jobs", "2"},
         [] {
             Under u;
             u.openFiles = 128;
             return u;
         }(),
         0,
         "progress: 40 of 400 rows"},
        {"standard output full",
         {"--type", "EAN-8", "--digits", "96385074", "--output", "-"},
         [] {
             Under u;
             u.standardOutput = "/dev/full";
             return u;
         }(),
         2,
         "strikon-render: --output: cannot write to standard output: " +
             QString::fromLocal8Bit(std::strerror(ENOSPC))},
        {"output folder is a file",
         {"--batch", "rows.csv", "--output-dir", "plain"},
         {},
         2,
         "strikon-render: --output-dir: cannot create the folder \"plain\": "},
    };
    for (const Case& c : cases) {
        const Finished f = render(c.args, dir.path(), c.under);
        EXPECT_EQ(f.status, c.status) << c.name << ": " << f.err.toStdString();
        // The address sanitizer adds a line of its own where an allocation fails.
        EXPECT_TRUE(f.err.startsWith(c.err) || f.err.contains(QLatin1Char('\n') + c.err))
            << c.name << ": " << f.err.toStdString();
        EXPECT_FALSE(f.err.contains("Too many open files")) << c.name;
    }
    EXPECT_EQ(QDir(dir.filePath("out")).count(), 2u + 400);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("big.jpg")));
}

// Names a batch row must not use: each refused with its line, the rest written, nothing
// written through what already stands in the folder or outside it.
TEST(EndToEnd, BatchRefusesNamesThatWouldEscapeOrLie) {
    QTemporaryDir dir;
    const QDir top(dir.path());
    ASSERT_TRUE(top.mkpath("out") && top.mkpath("elsewhere"));
    QFile secret(top.filePath("elsewhere/secret.txt"));
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly));
    secret.write("secret");
    secret.close();
    ASSERT_TRUE(QFile::link("../elsewhere/secret.txt", top.filePath("out/link.png")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(top.filePath("out/fifo.png")).constData(), 0600), 0);
    QFile csv(top.filePath("rows.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(
        QByteArray("type,digits,file\n"
                   "EAN-8,96385074,good.png\n"
                   "EAN-8,96385074,\"y.svg\0.png\"\n"
                   "EAN-8,96385074,\"new\nline.png\"\n"
                   "EAN-8,96385074,\xff\xfe.png\n"
                   "EAN-8,96385074,link.png\n"
                   "EAN-8,96385074,fifo.png\n"
                   "EAN-8,96385074,y.svg\n",
                   190));
    csv.close();

    // Read as UTF-8 as said: the row that is not is refused, not read as Windows-1251.
    const Finished f =
        render({"--batch", "rows.csv", "--output-dir", "out", "--encoding", "utf-8"}, dir.path());
    EXPECT_EQ(f.status, 1);
    EXPECT_EQ(f.err.toStdString(),
              "line 3: file: the name holds the control character U+0000; a file name may not\n"
              "line 4: file: the name holds the control character U+000A; a file name may not\n"
              "line 6: the row is not UTF-8 text; save the batch file as UTF-8\n"
              "line 7: cannot write out/link.png: it is a symbolic link, which is not followed\n"
              "line 8: cannot write out/fifo.png: it is not a regular file\n"
              "2 of 7 rows written, 5 failed\n");
    EXPECT_EQ(QDir(top.filePath("out"))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              (QStringList{"fifo.png", "good.png", "link.png", "y.svg"}));
    EXPECT_TRUE(QFileInfo(top.filePath("out/link.png")).isSymLink());
    ASSERT_TRUE(secret.open(QIODevice::ReadOnly));
    EXPECT_EQ(secret.readAll(), "secret");
    EXPECT_EQ(top.entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"elsewhere", "out", "rows.csv"}));

    // A file with no line ends at all stops at its first line, in bounded memory.
    const Finished zero = render({"--batch", "/dev/zero", "--output-dir", "out"}, dir.path());
    EXPECT_EQ(zero.status, 2);
    EXPECT_EQ(zero.err.toStdString(),
              "strikon-render: line 1: longer than 65536 bytes; a batch row holds a few short "
              "values (is this a CSV file?)\n");
}

TEST(EndToEnd, BatchExitStatusSaysWhetherEveryRowWasWritten) {
    QTemporaryDir dir;
    QFile csv(dir.filePath(QStringLiteral("rows.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("type,digits,file\r\nEAN-13,4006381333931,good.png\r\nEAN-13,400,bad.png\r\n");
    csv.close();
    Finished f = render({"--batch", "rows.csv", "--output-dir", "out"}, dir.path());
    EXPECT_EQ(f.status, 1);
    EXPECT_EQ(f.err, QStringLiteral("line 3: --digits: EAN-13 takes 13 digits (spaces allowed), "
                                    "got 3\n1 of 2 rows written, 1 failed\n"));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("out"))).entryList(QDir::Files),
              QStringList{"good.png"});

    ASSERT_TRUE(csv.open(QIODevice::WriteOnly | QIODevice::Truncate));
    csv.write("type,digits,file\nEAN-13,4006381333931,again.svg\n");
    csv.close();
    f = render({"--batch", "rows.csv", "--output-dir", "out"}, dir.path());
    EXPECT_EQ(f.status, 0) << f.err.toStdString();

    f = render({"--batch", "missing.csv", "--output-dir", "out"}, dir.path());
    EXPECT_EQ(f.status, 2);
    EXPECT_TRUE(
        f.err.startsWith(QStringLiteral("strikon-render: --batch: cannot read "
                                        "\"missing.csv\": ")))
        << f.err.toStdString();
}

// A caller that keeps the program running: each row's file is whole and reported before the
// next row is sent, and a bad row does not end the stream.
TEST(EndToEnd, StreamedBatchWritesEachRowAsItArrives) {
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    p.setProcessEnvironment(env);
    p.setReadChannel(QProcess::StandardError);
    p.start(QStringLiteral(STRIKON_RENDER), {"--batch", "-", "--output-dir", "out"});
    ASSERT_TRUE(p.waitForStarted());
    QString err;
    const auto reportOf = [&](const QString& line) {
        while (!err.contains(line) && p.waitForReadyRead(30000)) {
            err += QString::fromUtf8(p.readAllStandardError());
        }
        return err.split(u'\n').filter(line).value(0);
    };
    p.write("type,digits,file\nEAN-13,4006381333931,a.png\n");
    EXPECT_TRUE(reportOf("line 2:").contains("\"a.png\" written")) << err.toStdString();
    EXPECT_FALSE(QImage(dir.filePath("out/a.png")).isNull());
    p.write("EAN-13,400,b.png\n");
    EXPECT_TRUE(reportOf("line 3:").contains("EAN-13 takes 13 digits")) << err.toStdString();
    p.write("EAN-8,96385074,c.svg\n");
    EXPECT_TRUE(reportOf("line 4:").contains("\"c.svg\" written")) << err.toStdString();
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(30000));
    err += QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(err.endsWith("2 of 3 rows written, 1 failed\n")) << err.toStdString();
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files), (QStringList{"a.png", "c.svg"}));
}

// No screen is needed, whatever platform the environment names.
TEST(EndToEnd, RunsWithoutADisplayWhateverThePlatform) {
    for (const char* platform : {"", "xcb", "no-such-platform"}) {
        QTemporaryDir dir;
        QProcess p;
        p.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (*platform != '\0') {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
        }
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(STRIKON_RENDER),
                {"--type", "EAN-8", "--digits", "96385074", "--output", "a.png"});
        ASSERT_TRUE(p.waitForFinished(60000)) << platform;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << platform;
        EXPECT_EQ(p.exitCode(), 0) << platform << p.readAllStandardError().toStdString();
        EXPECT_FALSE(QImage(dir.filePath("a.png")).isNull()) << platform;
    }
}

}  // namespace

TEST(EndToEnd, CheckReportsAndItsExitStatus) {
    struct Row {
        QStringList args;
        int status;
        std::vector<const char*> out;  // lines the report holds
        const char* err;               // what standard error holds, "" for nothing
    };
    const QStringList ean13 = {"--type", "EAN-13", "--digits", "4006381333931"};
    const std::vector<Row> rows = {
        {ean13 + QStringList{"--check"},
         0,
         {"symbol: EAN-13 4006381333931", "resolution: 300 dpi", "size: 100.0 %",
          "module: 0.330 mm, 3.90 dots", "gs1-range: 0.264-0.660 mm, inside", "grade: A"},
         ""},
        // 2.64 dots a module: the edges fall between dots.
        {ean13 + QStringList{"--check", "--dpi", "203"},
         1,
         {"grade: F", "warning: grade F at 203 dpi (ISO/IEC 15416); whole-dot modules: grade A"},
         ""},
        {ean13 + QStringList{"--check", "--dpi", "203", "--fit-dots"},
         0,
         {"size: 113.7 %", "module: 0.375 mm, 3.00 dots", "grade: A"},
         ""},
        {{"--type", "ITF-14", "--digits", "15400141288763", "--size", "50", "--check"},
         1,
         {"gs1-range: 0.495-1.016 mm, bars 16.00 mm of at least 31.75 mm, outside",
          "warning: the bars are 16.0 mm tall, below the 31.75 mm GS1 asks of ITF-14 on "
          "cartons"},
         ""},
        // A pallet label: the module and GS1's logistics range, with no linear grade here.
        {{"--type", "GS1-128", "--gs1", "(00)106141412345678908", "--dpi", "203", "--check"},
         0,
         {"module: 0.500 mm, 4.00 dots",
          "gs1-range: 0.495-1.016 mm, bars 31.75 mm of at least 31.75 mm, inside"},
         ""},
        {{"--type", "GS1-DataMatrix", "--digits", "09506000134352", "--check"},
         0,
         {"module: 0.508 mm, 6.00 dots", "gs1-range: 0.396-0.990 mm, inside"},
         ""},
        // Written, with the notice on standard error.
        {{"--type", "UPC-E", "--digits", "04319833", "--output", "e.png"},
         0,
         {},
         "strikon-render: warning: UPC-E 04319833 is not in zero-suppressed form: its UPC-A "
         "number 043100000983 is written in UPC-E as 04309813\n"},
        {ean13 + QStringList{"--check", "--ink-spread", "0.5"}, 2, {}, "--ink-spread"},
    };
    for (const Row& r : rows) {
        QTemporaryDir dir;
        const Finished f = render(r.args, dir.path());
        const QString what = r.args.join(u' ');
        EXPECT_EQ(f.status, r.status) << what.toStdString() << f.err.toStdString();
        for (const char* line : r.out) {
            EXPECT_TRUE(f.out.contains(line)) << what.toStdString() << "\n" << f.out.toStdString();
        }
        if (*r.err == '\0') {
            EXPECT_TRUE(f.err.isEmpty()) << what.toStdString() << f.err.toStdString();
        } else {
            EXPECT_TRUE(f.err.contains(QString::fromUtf8(r.err))) << f.err.toStdString();
        }
        // --check alone writes no file.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).isEmpty(), !r.args.contains("--output"))
            << what.toStdString();
    }
}
