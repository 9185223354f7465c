// Every refusal: one message naming the option and what it expects, exit status 2, and no file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "cli/run.h"

namespace strikon::cli {
namespace {

struct Outcome {
    int status = -1;
    QString messages;
    QStringList files;  // what the output folder holds afterwards
};

// Runs with the arguments "--type T --digits D ... --output <folder>/out.png" (out.pdf for a
// sheet) unless the case gives its own output.
Outcome runIn(const QTemporaryDir& dir, QStringList args) {
    if (!args.contains(QStringLiteral("--output")) && !args.contains(QStringLiteral("--batch"))) {
        const bool sheet = args.contains(QStringLiteral("--sheet"));
        args << QStringLiteral("--output") << dir.filePath(sheet ? "out.pdf" : "out.png");
    }
    // ROWS: a batch of two labels at different resolutions.
    if (const qsizetype rows = args.indexOf(QStringLiteral("ROWS")); rows >= 0) {
        args[rows] = dir.filePath(QStringLiteral("rows.csv"));
        QFile csv(args[rows]);
        EXPECT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write("digits,dpi\n4006381333931,300\n4006381334174,600\n");
    }
    Outcome o;
    QTextStream messages(&o.messages);
    std::FILE* sink = std::tmpfile();
    o.status = run(args, messages, sink);
    std::fclose(sink);
    o.files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    o.files.removeOne(QStringLiteral("rows.csv"));
    return o;
}

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char('|'));
}

TEST(BadInput, EachIsRefusedWithOneMessageAndNothingWritten) {
    const struct {
        const char* args;  // split at '|'
        const char* message;
    } cases[] = {
        {"--digits|4006381333931",
         "--type: is required: expects one of EAN-13, EAN-8, UPC-A, UPC-E, ITF-14, GS1-QR, "
         "GS1-DataMatrix, GS1-128"},
        {"--type|QR|--digits|1",
         "--type: unknown symbology \"QR\": expects one of EAN-13, EAN-8, UPC-A, UPC-E, ITF-14, "
         "GS1-QR, "
         "GS1-DataMatrix, GS1-128"},
        {"--type|EAN-13", "--digits: is required: EAN-13 takes 13 digits (spaces allowed)"},
        {"--type|EAN-13|--digits|400638133393",
         "--digits: EAN-13 takes 13 digits (spaces allowed), got 12"},
        {"--type|EAN-8|--digits|4006381333931",
         "--digits: EAN-8 takes 8 digits (spaces allowed), got 13"},
        {"--type|UPC-A|--digits|0360002914520",
         "--digits: UPC-A takes 12 digits (spaces allowed), got 13"},
        {"--type|ITF-14|--digits|1540014128876",
         "--digits: ITF-14 takes 14 digits (spaces allowed), got 13"},
        {"--type|EAN-13|--digits|4006381-333931",
         "--digits: \"-\" is not a digit: EAN-13 takes 13 digits (spaces allowed)"},
        {"--type|UPC-E|--digits|21234565",
         "--digits: UPC-E starts with its number system, 0 or 1, not 2"},
        {"--type|EAN-8|--digits|96385074|--addon|12",
         "--addon: EAN-8 takes no add-on; only EAN-13, UPC-A and UPC-E do"},
        {"--type|ITF-14|--digits|15400141288763|--addon|12",
         "--addon: ITF-14 takes no add-on; only EAN-13, UPC-A and UPC-E do"},
        {"--type|EAN-13|--digits|4006381333931|--addon|123",
         "--addon: expects 2 or 5 digits (spaces allowed), got 3"},
        {"--type|EAN-13|--digits|4006381333931|--addon|1x",
         "--addon: \"x\" is not a digit: expects 2 or 5 digits (spaces allowed)"},
        {"--type|EAN-13|--digits|4006381333931|--size|75",
         "--size: EAN-13 takes a size in percent from 80 to 200 in steps of 5, got 75"},
        {"--type|UPC-E|--digits|01234565|--size|205",
         "--size: UPC-E takes a size in percent from 80 to 200 in steps of 5, got 205"},
        {"--type|EAN-13|--digits|4006381333931|--size|82",
         "--size: EAN-13 takes a size in percent from 80 to 200 in steps of 5, got 82"},
        {"--type|ITF-14|--digits|15400141288763|--size|105",
         "--size: ITF-14 takes a size in percent from 25 to 100 in steps of 5, got 105"},
        {"--type|ITF-14|--digits|15400141288763|--size|big",
         "--size: \"big\" is not a whole number: ITF-14 takes a size in percent from 25 to 100 "
         "in steps of 5"},
        {"--type|EAN-13|--digits|4006381333931|--dpi|0",
         "--dpi: expects a whole number of dots per inch from 72 to 1200, got \"0\""},
        {"--type|EAN-13|--digits|4006381333931|--dpi|300.5",
         "--dpi: expects a whole number of dots per inch from 72 to 1200, got \"300.5\""},
        {"--type|EAN-13|--digits|4006381333931|--dpi|1201",
         "--dpi: expects a whole number of dots per inch from 72 to 1200, got \"1201\""},
        {"--type|EAN-13|--digits|4006381333931|--line-color|#12345",
         "--line-color: expects #RRGGBB or an SVG colour name such as navy, got \"#12345\""},
        {"--type|EAN-13|--digits|4006381333931|--line-color|#80FF0000",
         "--line-color: expects #RRGGBB or an SVG colour name such as navy, got \"#80FF0000\""},
        {"--type|EAN-13|--digits|4006381333931|--background|transparent",
         "--background: expects #RRGGBB or an SVG colour name such as navy, got \"transparent\""},
        {"--type|EAN-13|--digits|4006381333931|--background|bluish",
         "--background: expects #RRGGBB or an SVG colour name such as navy, got \"bluish\""},
        {"--type|EAN-13|--digits|4006381333931|--check-digit=maybe",
         "--check-digit: expects yes or no, got \"maybe\""},
        {"--type|EAN-13|--digits|4006381333931|--bar-reduction|0.101",
         "--bar-reduction: expects millimetres from 0 to 0.100, got \"0.101\""},
        {"--type|EAN-13|--digits|4006381333931|--bar-reduction|-0.01",
         "--bar-reduction: expects millimetres from 0 to 0.100, got \"-0.01\""},
        {"--type|EAN-13|--digits|4006381333931|--bar-reduction|0,05",
         "--bar-reduction: expects millimetres from 0 to 0.100, got \"0,05\""},
        {"--type|EAN-13|--digits|4006381333931|--fit-dots=sometimes",
         "--fit-dots: expects yes or no, got \"sometimes\""},
        {"--type|EAN-13|--digits|4006381333931|--quiet-zone-marks=2",
         "--quiet-zone-marks: expects yes or no, got \"2\""},
        {"--type|EAN-13|--digits|4006381333931|--output|out.gif",
         "--output: unknown format of \"out.gif\": expects a file ending in .bmp, .jpg, .jpeg, "
         ".png, .svg or .pdf, or - for PNG on standard output"},
        // GS1 data: the AI named, and why.
        {"--type|GS1-DataMatrix|--gs1|(01)09506000134352(17)271340",
         "--gs1: (17): 271340 is not a date YYMMDD"},
        {"--type|GS1-128|--gs1|(01)09506000134353", "--gs1: (01): the check digit should be 2"},
        {"--type|GS1-QR|--gs1|(01)09506000134352(10)ABCDEFGHIJ0123456789X",
         "--gs1: (10) takes at most 20 characters"},
        {"--type|GS1-QR|--gs1|(01)09506000134352(10)AB#",
         "--gs1: (10): \"#\" is not in GS1's character set"},
        {"--type|GS1-QR|--gs1|(01)09506000134352(23)1",
         "--gs1: (23) is not a GS1 application identifier"},
        {"--type|GS1-QR|--gs1|(10)ABC", "--gs1: a GS1 Digital Link needs a GTIN (01)"},
        {"--type|GS1-QR|--gs1|(01)09506000134352|--resolver|http://example.com",
         "--resolver: the resolver \"http://example.com\" is not an https:// address without "
         "spaces, ? or #"},
        {"--type|GS1-DataMatrix|--digits|4006381333932",
         "--digits: (01): the check digit should be 1"},
        {"--type|GS1-DataMatrix|--digits|40063813339",
         "--digits: a GTIN has 8, 12, 13 or 14 digits (spaces allowed), got 11"},
        {"--type|GS1-128|--gs1|(00)106141412345678908|--digits|4006381333931",
         "--digits: not used with --gs1, which carries the GTIN as (01)"},
        {"--type|GS1-DataMatrix|--gs1|(01)09506000134352|--module|0.3",
         "--module: GS1-DataMatrix takes a module from 0.396 to 0.990 mm, got \"0.3\""},
        {"--type|GS1-128|--gs1|(00)106141412345678908|--module|1.1",
         "--module: GS1-128 takes a module from 0.495 to 1.016 mm, got \"1.1\""},
        {"--type|GS1-128|--gs1|(00)106141412345678908|--ec|H",
         "--ec: only GS1-QR takes an error correction level"},
        {"--type|GS1-QR|--gs1|(01)09506000134352|--ec|X", "--ec: expects L, M, Q or H, got \"X\""},
        {"--type|GS1-128|--gs1|(00)106141412345678908|--size|100",
         "--size: GS1-128 is sized by its module: use --module"},
        {"--type|EAN-13|--digits|4006381333931|--module|0.5",
         "--module: EAN-13 takes no GS1 options; only GS1-QR, GS1-DataMatrix and GS1-128 do"},
        {"--type|GS1-128|--gs1|(01)09506000134352(10)ABCDEFGHIJ0123456789(21)ABCDEFGHIJ",
         "--gs1: GS1-128 holds at most 48 characters of data; this has 50"},
        {"--type|GS1-DataMatrix|--gs1|(01)09506000134352(21)A|--sheet|A4-3x8|--run|2",
         "--run: a run of GS1 symbols counts the serial number (21), and (01)09506000134352(21)A "
         "has none that ends in digits"},
        // Sheets of labels.
        {"--type|EAN-13|--digits|4006381333931|--sheet|4x8,70x37",
         "--sheet: labels off the page: the columns span -35 to 245 mm, the A4 paper is 210 mm "
         "wide"},
        {"--type|EAN-13|--digits|4006381333931|--sheet|2x8,70x37|--page|Letter",
         "--sheet: labels off the page: the rows span -8.3 to 287.7 mm, the Letter paper is "
         "279.4 mm high"},
        {"--type|EAN-13|--digits|4006381333931|--sheet|3x8,70x37,0,0,65,37",
         "--sheet: labels overlap: the horizontal pitch of 65 mm is less than the label width "
         "of 70 mm"},
        {"--type|EAN-13|--digits|4006381333931|--sheet|A4-4x10",
         "--sheet: EAN-13 4006381333931 is 37.25 × 25.91 mm, larger than its label of "
         "48.5 × 25.4 mm"},
        {"--type|EAN-13|--digits|4006381333931|--addon|12|--sheet|A4-4x10",
         "--sheet: EAN-13 4006381333931 12 is 45.47 × 25.91 mm, larger than its label of "
         "48.5 × 25.4 mm"},
        {"--type|EAN-8|--digits|96385074|--output|a.png|--encoding|cp1251",
         "--encoding: only used with --batch, for its file"},
        {"--type|UPC-E|--digits|01234505|--sheet|A4-4x10|--run|12,100",
         "--run: UPC-A 012000010453 has no UPC-E form; the UPC-E run stops after 7 labels"},
        {"--type|EAN-8|--digits|96385074|--sheet|A4-3x8|--run|2|--copies|2",
         "--run: not used with --copies; a sheet holds copies of one symbol or a numbered run"},
        {"--type|EAN-8|--digits|96385074|--sheet|A4-3x8|--run|2,0",
         "--run: expects N[,STEP]: from 1 to 16000 labels, counting up by a step from 1 to "
         "1000000, got \"2,0\""},
        {"--type|EAN-8|--digits|96385074|--sheet|A4-3x8|--skip|24",
         "--skip: expects a whole number from 0 to 23, the labels of the sheet already used, "
         "got \"24\""},
        {"--type|EAN-8|--digits|96385074|--sheet|A4-3x8|--page|Letter",
         "--page: the layout A4, 3 × 8, 70 × 37 mm is on A4 paper"},
        {"--type|EAN-8|--digits|96385074|--sheet|A4-3x8|--output|s.svg",
         "--output: a sheet is written as PDF: expects a file ending in .pdf"},
        {"--type|EAN-8|--digits|96385074|--copies|3", "--copies: only used with --sheet LAYOUT"},
        // Dual marking: a QR whose GTIN has a retail linear symbol, on a label that holds both.
        {"--type|GS1-QR|--digits|19506000134359|--sheet|A4-3x8|--dual-marking",
         "--dual-marking: GTIN 19506000134359 has no EAN-13, UPC-A or EAN-8 to print beside the "
         "QR: its indicator digit 1 numbers a case or a variable measure item, not a retail "
         "item"},
        {"--type|EAN-13|--digits|4006381333931|--sheet|A4-3x8|--dual-marking",
         "--dual-marking: dual marking prints the EAN-13, UPC-A or EAN-8 of a GS1-QR's GTIN "
         "beside it, and EAN-13 4006381333931 is not a GS1-QR"},
        {"--type|GS1-QR|--digits|4006381333931|--dual-marking",
         "--dual-marking: only used with --sheet LAYOUT"},
        {"--type|GS1-QR|--digits|4006381333931|--sheet|A4-4x10|--dual-marking",
         "--sheet: EAN-13 4006381333931 + GS1-QR (01)04006381333931 is 67.39 × 25.91 mm, larger "
         "than its label of 48.5 × 25.4 mm"},
        {"--batch|rows.csv|--sheet|A4-3x8|--run|3",
         "--run: not used with --batch; each row of the batch is one label"},
        {"--batch|ROWS|--type|EAN-13|--sheet|A4-3x8|--output|s.pdf",
         "--batch: line 3: dpi 600 differs from the sheet's 300 (line 2); a sheet is drawn at "
         "one resolution"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const Outcome o = runIn(dir, words(c.args));
        EXPECT_EQ(o.status, kRefused) << c.args;
        EXPECT_EQ(o.messages.toStdString(), std::string("strikon-render: ") + c.message + "\n");
        EXPECT_TRUE(o.files.isEmpty()) << c.args << ": " << o.files.join(' ').toStdString();
    }
}

TEST(BadInput, MissingOutputIsRefused) {
    Outcome o;
    QTextStream messages(&o.messages);
    o.status = run(words("--type|EAN-8|--digits|96385074"), messages, stdout);
    EXPECT_EQ(o.status, kRefused);
    EXPECT_EQ(o.messages,
              QStringLiteral("strikon-render: --output: is required: expects a file ending in "
                             ".bmp, .jpg, .jpeg, .png, .svg or .pdf, or - for PNG on standard "
                             "output\n"));
}

TEST(BadInput, AnUnwritableFileLeavesTheOldOneAndNoTemporary) {
    QTemporaryDir dir;
    // A missing folder: the system's reason follows the path.
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    Outcome o =
        runIn(dir, QStringList{"--type", "EAN-8", "--digits", "96385074", "--output", missing});
    EXPECT_EQ(o.status, kRefused);
    EXPECT_TRUE(o.messages.startsWith(QStringLiteral("strikon-render: --output: cannot write ") +
                                      missing + QStringLiteral(": ")))
        << o.messages.toStdString();
    EXPECT_TRUE(o.files.isEmpty());

    // A path that is a folder already: refused, the folder left as it was.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.png")));
    o = runIn(dir, QStringList{"--type", "EAN-8", "--digits", "96385074", "--output",
                               dir.filePath(QStringLiteral("taken.png"))});
    EXPECT_EQ(o.status, kRefused);
    EXPECT_TRUE(o.files.isEmpty()) << o.files.join(' ').toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("taken.png"))).isDir());
}

}  // namespace
}  // namespace strikon::cli
