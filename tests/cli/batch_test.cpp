// Batches: each row written or reported by its line, the others unharmed; header faults stop
// the batch before anything is written; command-line values fill empty cells.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "cli/batch.h"
#include "cli/render_job.h"
#include "cli/task_pool.h"
#include "render/draw_symbol.h"

namespace strikon::cli {
namespace {

struct Ran {
    BatchOutcome outcome;
    QStringList messages;
    QStringList files;
};

Ran runRows(const QTemporaryDir& dir, const QString& csv, const OptionValues& defaults = {},
            int jobs = 1) {
    Ran r;
    QString text;
    QTextStream messages(&text);
    const QString out = dir.filePath(QStringLiteral("out"));
    r.outcome = runBatch(csv, out, defaults, messages, jobs);
    r.messages = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    r.files = QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    return r;
}

// One string per list, so that a failure shows readable text.
std::string lines(const QStringList& list) {
    return list.join(QLatin1Char('\n')).toStdString();
}

// On one thread and on several: the same files, the same messages in row order.
TEST(Batch, GoodRowsAreWrittenAndEachBadRowReportedByItsLine) {
    for (const int jobs : {1, 3}) {
        SCOPED_TRACE(jobs);
        QTemporaryDir dir;
        const Ran r = runRows(dir,
                              QStringLiteral("type,digits,addon,size,file\n"
                                             "EAN-13,4006381333931,,,a.png\n"
                                             "EAN-8,96385074,12,,no-addon.png\n"
                                             "UPC-A,\"036000 291452\",,120,b.svg\n"
                                             "\n"
                                             "ITF-14,15400141288763,,50,c.pdf\n"
                                             "EAN-13,123,,,short.png\n"
                                             "EAN-13,4006381333931,,,../escape.png\n"
                                             "EAN-13,4006381333932,,,d.bmp\n"
                                             "EAN-13,4006381333931,,,a.png\n"
                                             "EAN-13,4006381333931,,,e.gif\n"
                                             "EAN-13,4006381333931,,,f.jpg,extra\n"
                                             "EAN-13,4006381333931,,\n"),
                              {}, jobs);
        EXPECT_EQ(
            lines(r.messages),
            lines({
                "line 3: --addon: EAN-8 takes no add-on; only EAN-13, UPC-A and UPC-E do",
                // 50 % draws bars 16 mm tall, half what GS1 asks of ITF-14 on cartons.
                "line 6: warning: the bars are 16.0 mm tall, below the 31.75 mm GS1 asks of "
                "ITF-14 on cartons",
                "line 7: --digits: EAN-13 takes 13 digits (spaces allowed), got 3",
                "line 8: file: \"../escape.png\" is not a plain file name inside --output-dir",
                "line 9: warning: the check digit of EAN-13 4006381333932 should be 1; drawn "
                "as given (--check-digit corrects it)",
                "line 10: file: \"a.png\" is already written by line 2",
                "line 11: --output: unknown format of \"" +
                    QDir(dir.filePath("out")).filePath("e.gif") +
                    "\": expects a file ending in .bmp, .jpg, .jpeg, .png, .svg or .pdf, or - "
                    "for PNG on standard output",
                "line 12: 6 fields, but the header names 5 columns",
                "line 13: file: is required: the name of the output file, ending in .bmp, "
                ".jpg, .jpeg, .png, .svg or .pdf",
                "4 of 11 rows written, 7 failed",
            }));
        EXPECT_EQ(r.outcome.rows, 11);
        EXPECT_EQ(r.outcome.failed, 7);
        EXPECT_FALSE(r.outcome.allWritten());
        EXPECT_EQ(r.files, (QStringList{"a.png", "b.svg", "c.pdf", "d.bmp"}));
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("escape.png"))));
    }
}

TEST(Batch, CommandLineValuesFillEmptyCellsAndCellsOverrideThem) {
    QTemporaryDir dir;
    OptionValues defaults;
    defaults.type = QStringLiteral("EAN-13");
    defaults.size = QStringLiteral("150");
    defaults.checkDigit = QStringLiteral("yes");
    const Ran r = runRows(dir,
                          QStringLiteral("digits,size,check-digit,file\n"
                                         "4006381333930,,,corrected.png\n"
                                         "4006381333930,80,no,as-given.png\n"),
                          defaults);
    EXPECT_EQ(r.files, (QStringList{"as-given.png", "corrected.png"}));
    ASSERT_EQ(r.messages.size(), 2);
    EXPECT_TRUE(r.messages[0].startsWith(QStringLiteral("line 3: warning: the check digit")));
    EXPECT_EQ(r.messages[1], QStringLiteral("2 of 2 rows written"));

    // The default size reached the first row, the cell's the second.
    OptionValues v = defaults;
    v.digits = QStringLiteral("4006381333931");
    v.output = QStringLiteral("x.png");
    const RenderJob big = buildJob(v).value;
    v.size = QStringLiteral("80");
    const RenderJob small = buildJob(v).value;
    auto widthOf = [](const RenderJob& job) {
        Rect b;
        renderSymbol(job.symbol, nullptr, b, 0, 0, job.pxPerMm(), job.pxPerMm());
        return b.right - b.left;
    };
    const QString out = dir.filePath(QStringLiteral("out/"));
    EXPECT_EQ(QImage(out + QStringLiteral("corrected.png")).width(), widthOf(big));
    EXPECT_EQ(QImage(out + QStringLiteral("as-given.png")).width(), widthOf(small));
}

// Input no spreadsheet writes: read one row at a time, within bounds, each fault said plainly.
TEST(Batch, OddLineEndsAndHugeInputAreReadWithinBounds) {
    const QString header = QStringLiteral("type,digits,file");
    const QString hugeType(60000, QLatin1Char('Q'));  // within a row's limit, far over a message
    struct Case {
        const char* name;
        QString csv;
        QString error;  // the batch stops
        QStringList messages;
        QStringList files;
    };
    const Case cases[] = {
        {"lone CR line ends",
         header + "\rEAN-8,96385074,a.png\rEAN-8,1,b.png\r\rEAN-8,96385074,c.png",
         {},
         {"line 3: --digits: EAN-8 takes 8 digits (spaces allowed), got 1",
          "2 of 3 rows written, 1 failed"},
         {"a.png", "c.png"}},
        {"a huge value echoed cut",
         header + "\n" + hugeType + ",96385074,a.png\n",
         {},
         {"line 2: --type: unknown symbology \"" + QString(39, QLatin1Char('Q')) + QChar(0x2026) +
              "\": expects one of EAN-13, EAN-8, UPC-A, UPC-E, ITF-14, GS1-QR, GS1-DataMatrix, "
              "GS1-128",
          "0 of 1 rows written, 1 failed"},
         {}},
        {"a line break in a value echoed spelled out",
         header + "\n\"EAN\n8\",96385074,a.png\n",
         {},
         {"line 2: --type: unknown symbology \"EAN\\n8\": expects one of EAN-13, EAN-8, UPC-A, "
          "UPC-E, ITF-14, GS1-QR, GS1-DataMatrix, GS1-128",
          "0 of 1 rows written, 1 failed"},
         {}},
        {"a line without end",
         header + "\nEAN-8,96385074,a.png\n" + QString(70000, QChar(0)),
         "line 3: longer than 65536 bytes; a batch row holds a few short values (is this a CSV "
         "file?)",
         {},
         {}},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const Ran r = runRows(dir, c.csv);
        EXPECT_EQ(r.outcome.error, c.error) << c.name;
        EXPECT_EQ(lines(r.messages), lines(c.messages)) << c.name;
        EXPECT_EQ(r.files, c.files) << c.name;
    }
}

TEST(Batch, AFaultyHeaderStopsTheBatchBeforeAnythingIsWritten) {
    const struct {
        const char* csv;
        const char* error;
    } cases[] = {
        {"", "--batch: the file is empty; it needs a header row"},
        {"type,colour,file\nEAN-8,red,a.png\n",
         "line 1: unknown column \"colour\"; columns are type, digits, addon, size, dpi, "
         "gs1, resolver, module, ec, line-color, background, check-digit, bar-reduction, fit-dots, "
         "quiet-zone-marks, bilevel, file"},
        {"type,digits,Type,file\n", "line 1: column \"type\" appears twice"},
        {"type,digits\nEAN-8,96385074\n",
         "line 1: the header names no file column; each row needs the name of its output file"},
        {"\"type,digits\n", "line 1: the quoted field opened on line 1 is never closed"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const Ran r = runRows(dir, QString::fromUtf8(c.csv));
        EXPECT_EQ(r.outcome.error.toStdString(), c.error);
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("out")))) << c.csv;
    }
}

// As spreadsheets save a batch: comma or semicolon, UTF-8 with or without a byte-order mark,
// or Windows-1251 (its bytes for "Ёж№" are A8 E6 B9).
TEST(Batch, SpreadsheetFilesOfEitherLocaleAreRead) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* delimiter;
        const char* encoding;
        QStringList files;
        QStringList messages;
    } cases[] = {
        {"semicolons, UTF-8 with a mark",
         "\xEF\xBB\xBFtype;digits;file\r\nEAN-8;96385074;\"\xD0\x81;\xD0\xB6.png\"\r\n",
         nullptr,
         nullptr,
         {"Ё;ж.png"},
         {"1 of 1 rows written"}},
        {"semicolons, UTF-8",
         "type;digits;file\nEAN-8;96385074;\xD0\x81\xD0\xB6.png\n",
         nullptr,
         nullptr,
         {"Ёж.png"},
         {"1 of 1 rows written"}},
        {"semicolons, Windows-1251 found",
         "type;digits;file\nEAN-8;96385074;\xA8\xE6\xB9.png\n",
         nullptr,
         nullptr,
         {"Ёж№.png"},
         {"notice: the batch file is not UTF-8 text; read as Windows-1251 (--encoding chooses)",
          "1 of 1 rows written"}},
        {"commas, Windows-1251 named",
         "type,digits,file\nEAN-8,96385074,\xA8\xE6\xB9.png\n",
         nullptr,
         "CP1251",
         {"Ёж№.png"},
         {"1 of 1 rows written"}},
        {"semicolon named",
         "digits;file\n96385074;a,b.png\n",
         ";",
         nullptr,
         {"a,b.png"},
         {"1 of 1 rows written"}},
        {"unknown delimiter",
         "digits,file\n",
         "|",
         nullptr,
         {},
         {"--delimiter: expects \",\" or \";\" (comma or semicolon), got \"|\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        OptionValues defaults;
        defaults.type = QStringLiteral("EAN-8");
        if (c.delimiter != nullptr) {
            defaults.delimiter = QString::fromUtf8(c.delimiter);
        }
        if (c.encoding != nullptr) {
            defaults.encoding = QString::fromUtf8(c.encoding);
        }
        QByteArray bytes = c.bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QString text;
        QTextStream messages(&text);
        const QString out = dir.filePath(QStringLiteral("out"));
        const BatchOutcome outcome = runBatch(buffer, out, defaults, messages);
        QStringList said = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!outcome.error.isEmpty()) {
            said << outcome.error;
        }
        EXPECT_EQ(lines(said), lines(c.messages));
        EXPECT_EQ(QDir(out).entryList(QDir::Files), c.files);
    }
}

// Hidden temporaries that a killed run left behind go at the next batch into the folder: only
// names of exactly their form, only regular files, only older than the run.
TEST(Batch, StaleTemporariesOfAKilledRunAreRemovedAndNothingElse) {
    struct Entry {
        const char* name;
        enum { File, Folder, Link } kind;
        bool old;
        bool removed;
    };
    const Entry entries[] = {
        {".a.png.k3x9q0zz.tmp", Entry::File, true, true},
        {".r 1.bmp.00000000.tmp", Entry::File, true, true},
        {".b.png.k3x9q0zz.tmp", Entry::File, false, false},     // a run under way
        {".c.png.k3x9q0z.tmp", Entry::File, true, false},       // seven characters
        {".d.png.K3X9Q0ZZ.tmp", Entry::File, true, false},      // not of the alphabet
        {"e.png.k3x9q0zz.tmp", Entry::File, true, false},       // not hidden
        {"..k3x9q0zz.tmp", Entry::File, true, false},           // no name
        {".f.png.k3x9q0zz.tmp.png", Entry::File, true, false},  // another ending
        {".g.png.k3x9q0zz.tmp", Entry::Folder, true, false},
        {".h.png.k3x9q0zz.tmp", Entry::Link, true, false},
    };
    QTemporaryDir dir;
    const QDir out(dir.filePath(QStringLiteral("out")));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    QStringList kept{"a.png"};
    for (const Entry& e : entries) {
        const QByteArray path = QFile::encodeName(out.filePath(QString::fromUtf8(e.name)));
        if (e.kind == Entry::Folder) {
            ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
        } else if (e.kind == Entry::Link) {
            ASSERT_EQ(::symlink("a.png", path.constData()), 0);
        } else {
            QFile f(QString::fromUtf8(path));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        const std::time_t when = std::time(nullptr) + (e.old ? -3600 : 3600);
        const timespec times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW), 0);
        if (!e.removed) {
            kept << QString::fromUtf8(e.name);
        }
    }
    const Ran r = runRows(dir, QStringLiteral("type,digits,file\nEAN-8,96385074,a.png\n"));
    EXPECT_TRUE(r.outcome.allWritten());
    QStringList left =
        out.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    left.sort();
    kept.sort();
    EXPECT_EQ(lines(left), lines(kept));
}

// Pictures in flight are bounded by their memory: with shares of 40 % of the budget no more
// than two are held at once however many threads draw, and one larger than the whole budget is
// held alone rather than never.
TEST(Batch, PicturesInFlightStayWithinTheMemoryBudget) {
    for (const qint64 share : {40, 150}) {
        MemoryBudget budget(100);
        std::atomic<int> held{0}, most{0};
        {
            TaskPool pool(4);
            std::vector<std::future<void>> done;
            for (int i = 0; i < 24; ++i) {
                done.push_back(pool.submit([&] {
                    const MemoryBudget::Share taken(budget, share);
                    const int now = ++held;
                    for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                    --held;
                }));
            }
        }
        EXPECT_LE(most, share == 40 ? 2 : 1) << share;
    }
}

TEST(Batch, LongBatchesReportTheirProgress) {
    QTemporaryDir dir;
    QString csv = QStringLiteral("type,digits,file\n");
    for (int i = 0; i < kProgressMinRows; ++i) {
        csv += QStringLiteral("EAN-8,96385074,s%1.png\n").arg(i);
    }
    const Ran r = runRows(dir, csv);
    EXPECT_TRUE(r.outcome.allWritten());
    EXPECT_EQ(r.files.size(), kProgressMinRows);
    EXPECT_EQ(r.messages.size(), 10);  // nine tenths, then the summary
    EXPECT_EQ(r.messages.front(), QStringLiteral("progress: 5 of 50 rows"));
    EXPECT_EQ(r.messages.back(), QStringLiteral("50 of 50 rows written"));
}

}  // namespace
}  // namespace strikon::cli
