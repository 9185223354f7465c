#include "app/image_commands.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>

#include "formats/docx_parts.h"
#include "render/draw_symbol.h"
#include "render/symbol_image.h"
#include "tests/support/decoders.h"

namespace strikon {
namespace {

using testing::Symbology;

struct Sample {
    const char* name;
    SymbolRequest request;
    Symbology symbology;
    std::string expected;  // as the decoders report it, add-on digits appended
};

SymbolRequest request(strikon::Symbology symbology, const char* digits, AddOn addOn = AddOn::None,
                      const char* addOnDigits = "") {
    SymbolRequest r;
    r.symbology = symbology;
    r.digits = digits;
    r.addOn = addOn;
    r.addOnDigits = addOnDigits;
    return r;
}

const Sample kSamples[] = {
    {"EAN-13 with a 5-digit add-on",
     request(strikon::Symbology::EAN13, "4006381333931", AddOn::FiveDigit, "52495"),
     Symbology::EAN13, "400638133393152495"},
    {"UPC-E", request(strikon::Symbology::UPCE, "01234565", AddOn::None, "00000"), Symbology::UPCE,
     "01234565"},
    {"ITF-14", request(strikon::Symbology::ITF14, "10012345678902"), Symbology::ITF14,
     "10012345678902"},
};

// What both decoders read from an image.
void expectBothDecoders(const QImage& image, const Sample& sample) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const testing::GreyView view{grey.constBits(), grey.width(), grey.height(),
                                 static_cast<int32_t>(grey.bytesPerLine())};
    const auto zxing = testing::readWithZXing(view, sample.symbology);
    const auto zbar = testing::readWithZbar(view, sample.symbology);
    EXPECT_EQ(testing::asDrawn(zxing, sample.symbology), sample.expected)
        << sample.name << ": ZXing read " << testing::describe(zxing);
    EXPECT_EQ(testing::asDrawn(zbar, sample.symbology), sample.expected)
        << sample.name << ": zbar read " << testing::describe(zbar);
}

QSize boundsAt300Dpi(const SymbolRequest& request) {
    Rect bounds;
    renderSymbol(request, nullptr, bounds, 0, 0, kImagePxPerMm, kImagePxPerMm);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

// Dialog doubles that record what the commands asked and said.
struct Doubles {
    std::optional<SaveChoice> saveChoice;
    QString pdfPath;  // empty: the print dialog is cancelled
    bool openerWorks = true;
    QStringList warnings, notes;
    QList<QUrl> opened;

    CommandDialogs dialogs() {
        CommandDialogs d;
        d.askSavePath = [this](QWidget*) { return saveChoice; };
        d.askPrinter = [this](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
            return !pdfPath.isEmpty();
        };
        d.warn = [this](QWidget*, const QString& text) { warnings << text; };
        d.inform = [this](QWidget*, const QString& text) { notes << text; };
        d.openDocument = [this](const QUrl& url) {
            opened << url;
            return openerWorks;
        };
        return d;
    }
};

CommandContext contextFor(const SymbolRequest& request) {
    return CommandContext{nullptr, request, Language::English};
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

uint32_t littleEndian32(const QByteArray& bytes, int at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    }
    return v;
}

TEST(ResolveSaveFormat, ExtensionWinsElseTheFilterAppendsItsOwn) {
    struct Case {
        const char* path;
        SymbolFileFormat filter;
        const char* finalPath;
        SymbolFileFormat format;
    };
    const Case cases[] = {
        {"/t/a.bmp", SymbolFileFormat::Jpeg, "/t/a.bmp", SymbolFileFormat::Bmp},
        {"/t/a.JPG", SymbolFileFormat::Bmp, "/t/a.JPG", SymbolFileFormat::Jpeg},
        {"/t/a.jpeg", SymbolFileFormat::Bmp, "/t/a.jpeg", SymbolFileFormat::Jpeg},
        {"/t/a", SymbolFileFormat::Jpeg, "/t/a.jpg", SymbolFileFormat::Jpeg},
        {"/t/a.png", SymbolFileFormat::Bmp, "/t/a.png", SymbolFileFormat::Png},
        {"/t/a.Svg", SymbolFileFormat::Jpeg, "/t/a.Svg", SymbolFileFormat::Svg},
        {"/t/a", SymbolFileFormat::Pdf, "/t/a.pdf", SymbolFileFormat::Pdf},
        {"/t/a.gif", SymbolFileFormat::Bmp, "/t/a.gif.bmp", SymbolFileFormat::Bmp},
    };
    for (const Case& c : cases) {
        QString path = c.path;
        EXPECT_EQ(resolveSaveFormat(path, c.filter), c.format) << c.path;
        EXPECT_EQ(path, c.finalPath);
    }
}

TEST(SaveAs, BitmapAndJpegAt300DpiReadBackByBothDecoders) {
    QTemporaryDir dir;
    for (const Sample& sample : kSamples) {
        Doubles doubles;
        QImage bitmapObject, jpegObject;
        doubles.saveChoice = SaveChoice{dir.filePath("symbol"), SymbolFileFormat::Bmp};
        ASSERT_TRUE(
            saveSymbolAs(contextFor(sample.request), doubles.dialogs(), bitmapObject, jpegObject));
        const QString bmpPath = dir.filePath("symbol.bmp");
        const QByteArray bmp = fileBytes(bmpPath);
        ASSERT_GT(bmp.size(), 54) << sample.name;
        EXPECT_EQ(littleEndian32(bmp, 38), 11811u) << "horizontal density, dots per metre";
        EXPECT_EQ(littleEndian32(bmp, 42), 11811u);
        const QImage savedBmp(bmpPath);
        EXPECT_EQ(savedBmp.size(), boundsAt300Dpi(sample.request)) << sample.name;
        EXPECT_EQ(bitmapObject.size(), savedBmp.size()) << "rendered into the bitmap object";
        expectBothDecoders(savedBmp, sample);

        doubles.saveChoice = SaveChoice{dir.filePath("symbol.jpeg"), SymbolFileFormat::Bmp};
        ASSERT_TRUE(
            saveSymbolAs(contextFor(sample.request), doubles.dialogs(), bitmapObject, jpegObject));
        const QByteArray jpeg = fileBytes(dir.filePath("symbol.jpeg"));
        // JFIF APP0: "JFIF\0", version, units 1 (dots per inch), 300 x 300.
        ASSERT_EQ(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
        EXPECT_EQ(jpeg.mid(13, 5), QByteArray("\x01\x01\x2c\x01\x2c", 5));
        // Baseline frame header: three components, each sampled 1x1 (4:4:4).
        const int sof = jpeg.indexOf(QByteArray("\xff\xc0", 2));
        ASSERT_GT(sof, 0);
        for (int component = 0; component < 3; ++component) {
            EXPECT_EQ(static_cast<uint8_t>(jpeg[sof + 11 + 3 * component]), 0x11);
        }
        const QImage savedJpeg(dir.filePath("symbol.jpeg"));
        EXPECT_EQ(savedJpeg.size(), boundsAt300Dpi(sample.request));
        EXPECT_EQ(jpegObject.size(), savedJpeg.size()) << "rendered into the JPEG object";
        expectBothDecoders(savedJpeg, sample);
        EXPECT_TRUE(doubles.warnings.isEmpty()) << doubles.warnings.join('\n').toStdString();
    }
}

TEST(SaveAs, TheDialogOpensWhereTheLastSaveWentWithItsType) {
    QTemporaryDir dir;
    Doubles doubles;
    QImage bitmapObject, jpegObject;
    doubles.saveChoice = SaveChoice{dir.filePath("label.jpg"), SymbolFileFormat::Bmp};
    ASSERT_TRUE(
        saveSymbolAs(contextFor(kSamples[0].request), doubles.dialogs(), bitmapObject, jpegObject));
    // Looks at the real dialog while it is open, then cancels it.
    QString folder, filter;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        folder = dialog->directory().absolutePath();
        filter = dialog->selectedNameFilter();
        dialog->reject();
    });
    EXPECT_FALSE(CommandDialogs::interactive().askSavePath(nullptr));
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(filter, "JPEG Image File (*.jpg *.jpeg)") << "the extension typed decided the type";
}

TEST(SaveAs, UnwritableFolderIsReportedAndLeavesNoFile) {
    Doubles doubles;
    QImage bitmapObject, jpegObject;
    // A regular file cannot be a folder, whoever runs the test.
    doubles.saveChoice = SaveChoice{"/etc/hostname/symbol.bmp", SymbolFileFormat::Bmp};
    EXPECT_FALSE(
        saveSymbolAs(contextFor(kSamples[0].request), doubles.dialogs(), bitmapObject, jpegObject));
    ASSERT_EQ(doubles.warnings.size(), 1);
    EXPECT_TRUE(doubles.warnings[0].contains("/etc/hostname/symbol.bmp"));
    EXPECT_FALSE(QFile::exists("/etc/hostname/symbol.bmp"));
}

// Lets no file grow past a few kilobytes, as a full disk would, while it lives.
class FullDisk {
  public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previous_);
    }

  private:
    rlimit saved_{};
    sighandler_t previous_{};
};

TEST(SaveAs, ExistingFileKeptWhenItsReplacementFails) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.bmp");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older picture");
    }
    Doubles doubles;
    QImage bitmapObject, jpegObject;
    doubles.saveChoice = SaveChoice{path, SymbolFileFormat::Bmp};
    bool saved = true;
    CommandContext russian = contextFor(kSamples[0].request);
    russian.language =
        Language::Russian;  // the system's reason too is said in the window's language
    {
        FullDisk full;
        saved = saveSymbolAs(russian, doubles.dialogs(), bitmapObject, jpegObject);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(doubles.warnings,
              QStringList{
                  QStringLiteral("Не удалось сохранить файл «%1»: файл слишком велик").arg(path)});
    EXPECT_EQ(fileBytes(path), QByteArray("an older picture"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.bmp"});
}

TEST(Copy, ClipboardHoldsThe300DpiImage) {
    for (const Sample& sample : kSamples) {
        Doubles doubles;
        ASSERT_TRUE(copySymbol(contextFor(sample.request), doubles.dialogs()));
        const QImage copied = QGuiApplication::clipboard()->image();
        EXPECT_EQ(copied.size(), boundsAt300Dpi(sample.request)) << sample.name;
        EXPECT_EQ(copied.dotsPerMeterX(), 11811);
        EXPECT_EQ(copied.dotsPerMeterY(), 11811);
        expectBothDecoders(copied, sample);
    }
}

// The first page of a PDF as a 300 dpi grey picture, through poppler.
QImage rasterisePdf(const QString& pdf, const QString& prefix) {
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", "300", "-gray", "-png", "-singlefile", pdf, prefix});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) {
        return {};
    }
    return QImage(prefix + ".png");
}

// The extent of the dark pixels of a grey picture.
QRect inkBounds(const QImage& grey) {
    QRect ink;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (row[x] < 128) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// PNG, SVG and PDF at the resolution chosen in Output Settings, with its options: the PNG holds
// the picture that resolution gives and stores its density, the SVG and PDF state the same size
// in millimetres, and all three scan.
TEST(SaveAs, PngSvgAndPdfAtTheChosenResolutionReadBack) {
    QTemporaryDir dir;
    for (const Sample& sample : kSamples) {
        SymbolRequest fitted = sample.request;
        fitted.output.fitDots = true;
        fitted.output.barReductionMm = 0.05;
        const CommandContext context{nullptr, fitted, Language::English, 600};
        const double k = 600 / kMmPerInch;
        const std::optional<QSize> px = measureSymbol(fitted, k, k);
        ASSERT_TRUE(px);
        auto save = [&](SymbolFileFormat filter) {
            Doubles doubles;
            QImage bitmapObject, jpegObject;
            doubles.saveChoice = SaveChoice{dir.filePath("symbol"), filter};
            EXPECT_TRUE(saveSymbolAs(context, doubles.dialogs(), bitmapObject, jpegObject));
            EXPECT_TRUE(doubles.warnings.isEmpty()) << doubles.warnings.join('\n').toStdString();
        };
        save(SymbolFileFormat::Png);
        const QImage png(dir.filePath("symbol.png"));
        EXPECT_EQ(png.size(), *px) << sample.name;
        EXPECT_EQ(png.dotsPerMeterX(), 23622);
        expectBothDecoders(png, sample);

        save(SymbolFileFormat::Svg);
        QSvgRenderer svg(dir.filePath("symbol.svg"));
        ASSERT_TRUE(svg.isValid()) << sample.name;
        EXPECT_EQ(svg.viewBox().size(), *px);
        QImage drawn(*px, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        svg.render(&painter);
        painter.end();
        expectBothDecoders(drawn, sample);

        save(SymbolFileFormat::Pdf);
        const QImage page = rasterisePdf(dir.filePath("symbol.pdf"), dir.filePath("page"));
        // The page is the symbol: at 300 dpi half its 600 dpi pixels, give or take one.
        EXPECT_NEAR(page.width(), px->width() / 2.0, 1.0) << sample.name;
        EXPECT_NEAR(page.height(), px->height() / 2.0, 1.0) << sample.name;
        expectBothDecoders(page, sample);
    }
}

TEST(Print, PdfPageHoldsTheSymbolAtItsPhysicalSize) {
    QTemporaryDir dir;
    for (const Sample& sample : kSamples) {
        Doubles doubles;
        doubles.pdfPath = dir.filePath("printed.pdf");
        ASSERT_TRUE(printSymbol(contextFor(sample.request), doubles.dialogs())) << sample.name;
        const QImage page = rasterisePdf(doubles.pdfPath, dir.filePath("page"));
        ASSERT_FALSE(page.isNull()) << sample.name;
        expectBothDecoders(page, sample);
        if (sample.symbology == Symbology::ITF14) {
            // The bearer frame is the whole symbol: 152.348 x 41.6 mm (the digits lie below).
            const QRect ink = inkBounds(page.convertToFormat(QImage::Format_Grayscale8));
            EXPECT_NEAR(ink.width() / kImagePxPerMm, 152.348, 0.2);
        }
    }
}

TEST(Print, CancelPrintsNothing) {
    Doubles doubles;
    EXPECT_FALSE(printSymbol(contextFor(kSamples[0].request), doubles.dialogs()));
    EXPECT_TRUE(doubles.warnings.isEmpty());
}

QByteArray unzipPart(const QString& archive, const QString& part) {
    QProcess unzip;
    unzip.start("unzip", {"-p", archive, part});
    unzip.waitForFinished(30000);
    return unzip.readAllStandardOutput();
}

TEST(ExportToWord, DocumentHoldsThePictureAtItsSizeAndIsOpened) {
    QTemporaryDir temp;
    qputenv("TMPDIR", temp.path().toUtf8());
    Doubles doubles;
    const Sample& sample = kSamples[2];
    const std::optional<QString> path =
        exportSymbolToWord(contextFor(sample.request), doubles.dialogs());
    ASSERT_TRUE(path.has_value());
    EXPECT_TRUE(path->startsWith(temp.path()));
    ASSERT_EQ(doubles.opened.size(), 1);
    EXPECT_EQ(doubles.opened[0], QUrl::fromLocalFile(*path));
    EXPECT_TRUE(doubles.notes.isEmpty());

    const QSize size = boundsAt300Dpi(sample.request);
    const QByteArray document = unzipPart(*path, "word/document.xml");
    const QString extent = QStringLiteral("cx=\"%1\" cy=\"%2\"")
                               .arg(mmToEmu(size.width() / kImagePxPerMm))
                               .arg(mmToEmu(size.height() / kImagePxPerMm));
    EXPECT_TRUE(QString::fromUtf8(document).contains(extent)) << extent.toStdString();
    const QImage picture = QImage::fromData(unzipPart(*path, "word/media/image1.png"), "PNG");
    EXPECT_EQ(picture.size(), size);
    EXPECT_EQ(picture.dotsPerMeterX(), 11811);
    expectBothDecoders(picture, sample);
    qunsetenv("TMPDIR");
}

TEST(ExportToWord, SaysWhereTheDocumentIsWhenNothingOpensIt) {
    QTemporaryDir temp;
    qputenv("TMPDIR", temp.path().toUtf8());
    Doubles doubles;
    doubles.openerWorks = false;
    const auto path = exportSymbolToWord(contextFor(kSamples[0].request), doubles.dialogs());
    ASSERT_TRUE(path.has_value());
    ASSERT_EQ(doubles.notes.size(), 1);
    EXPECT_TRUE(doubles.notes[0].contains(*path));
    EXPECT_TRUE(QFile::exists(*path));
    qunsetenv("TMPDIR");
}

TEST(ImageCommands, NoSymbolIsReportedNotWritten) {
    Doubles doubles;
    // Twelve digits where EAN-13 takes thirteen: the encoder draws nothing.
    const SymbolRequest nothing = request(strikon::Symbology::EAN13, "000000000000");
    EXPECT_FALSE(copySymbol(contextFor(nothing), doubles.dialogs()));
    EXPECT_FALSE(
        copySymbol(CommandContext{nullptr, std::nullopt, Language::English}, doubles.dialogs()));
    EXPECT_EQ(doubles.warnings.size(), 2);
}

}  // namespace
}  // namespace strikon

namespace strikon {
namespace {

// Below grade C at the printer's resolution the user is asked first: whole-dot modules when
// they raise it (and the window keeps them), printing as it is, or nothing.
TEST(Print, BelowGradeCAsksFirstAndOffersWholeDots) {
    QTemporaryDir dir;
    struct Row {
        GradeChoice answer;
        bool printed, keptWholeDots;
    };
    for (const Row& r :
         {Row{GradeChoice::Cancel, false, false}, Row{GradeChoice::PrintAsItIs, true, false},
          Row{GradeChoice::WholeDots, true, true}}) {
        Doubles doubles;
        doubles.pdfPath = dir.filePath("printed.pdf");
        CommandDialogs dialogs = doubles.dialogs();
        const auto askPrinter = dialogs.askPrinter;
        dialogs.askPrinter = [&](QWidget* parent, QPrinter& printer) {
            printer.setResolution(203);  // a thermal label printer
            return askPrinter(parent, printer);
        };
        QStringList asked;
        bool offered = false;
        dialogs.askGrade = [&](QWidget*, const QString& text, bool offerWholeDots, Language) {
            asked << text;
            offered = offerWholeDots;
            return r.answer;
        };
        bool kept = false;
        CommandContext context = contextFor(kSamples[0].request);  // EAN-13 at 100 %
        context.useWholeDots = [&] { kept = true; };
        EXPECT_EQ(printSymbol(context, dialogs), r.printed);
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].startsWith("Before printing: Grade F at 203 dpi"))
            << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains("whole-dot modules: grade A")) << asked[0].toStdString();
        EXPECT_TRUE(offered);
        EXPECT_EQ(kept, r.keptWholeDots);
    }
}

}  // namespace
}  // namespace strikon
