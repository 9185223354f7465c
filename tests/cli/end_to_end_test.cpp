// The installed program as a script sees it: a subprocess, its exit status, its standard output
// and error, and the files it leaves.
#include <gtest/gtest.h>
#include <sys/resource.h>

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

// fileSizeLimit > 0: the program's files cannot grow past it, as on a full disk.
Finished render(const QStringList& args, const QString& workDir = {}, rlim_t fileSizeLimit = 0) {
    QProcess p;
    if (fileSizeLimit > 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            std::signal(SIGXFSZ, SIG_IGN);  // kept across exec: writes fail with EFBIG instead
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = fileSizeLimit;
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    p.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program must choose offscreen itself
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(STRIKON_RENDER), args);
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
// as large as the program writes it (a 48 MB bitmap; a PDF stays near 17 KB), onto a disk that
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

            const Finished f = render((big ? large : small) + QStringList{"--output", name},
                                      dir.path(), big ? 8192 : 512);
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

}  // namespace
