#include "image_commands.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "app/write_reason.h"
#include "formats/bmp_writer.h"
#include "formats/docx_writer.h"
#include "formats/jpeg_writer.h"
#include "formats/png_bytes.h"
#include "platform/atomic_write.h"
#include "platform/export_folder.h"
#include "platform/link_opener.h"
#include "render/print_page.h"
#include "render/symbol_file.h"
#include "render/symbol_image.h"

namespace strikon {

namespace {

const QString kBitmapFilter = QStringLiteral("Bitmaps (*.bmp)");
const QString kJpegFilter = QStringLiteral("JPEG Image File (*.jpg *.jpeg)");
const QString kPngFilter = QStringLiteral("PNG Image (*.png)");
const QString kSvgFilter = QStringLiteral("SVG Drawing (*.svg)");
const QString kPdfFilter = QStringLiteral("PDF Document (*.pdf)");

// The dialog's filters in their order, each with its format and the extension it appends.
struct SaveFilter {
    const QString& filter;
    PictureFormat format;
    const char* suffixes[2];
};
const SaveFilter kSaveFilters[] = {
    {kBitmapFilter, PictureFormat::Bitmap, {"bmp", nullptr}},
    {kJpegFilter, PictureFormat::Jpeg, {"jpg", "jpeg"}},
    {kPngFilter, PictureFormat::Png, {"png", nullptr}},
    {kSvgFilter, PictureFormat::Svg, {"svg", nullptr}},
    {kPdfFilter, PictureFormat::Pdf, {"pdf", nullptr}},
};

// The commands' messages, said in the window's language.
struct CommandTexts {
    Wording nothingToOutput{"Нет штрихкода для вывода.", "There is no barcode to output."};
    Wording notSaved{"Не удалось сохранить файл «%1»: %2", "Could not save the file \"%1\": %2"};
    Wording printNotStarted{"Не удалось начать печать.", "Could not start printing."};
    Wording printNotFinished{"Не удалось завершить печать: страница не отправлена.",
                             "Could not finish printing: the page was not sent."};
    Wording documentNotCreated{"Не удалось создать документ: %1",
                               "Could not create the document: %1"};
    Wording documentNotOpened{"Не найдена программа для открытия документа. Документ сохранён: %1",
                              "No program could open the document. It was saved as %1"};
};
constexpr CommandTexts kTexts{};

QString message(const CommandContext& context, const Wording& wording) {
    return wording.in(context.language);
}

QString windowTitle(QWidget* parent) {
    return parent ? parent->window()->windowTitle() : QCoreApplication::applicationName();
}

void warnNothingToOutput(const CommandContext& context, const CommandDialogs& dialogs) {
    dialogs.warn(context.parent, message(context, kTexts.nothingToOutput));
}

// A page that names no known symbology, or digits no symbol is drawn from, render nothing.
// palette: the picture is for a writer that stores a palette, and may be drawn in one, in the
// memory of the picture it replaces (recycled) where that fits.
QImage renderOrWarn(const CommandContext& context, const CommandDialogs& dialogs,
                    bool palette = false, QImage recycled = QImage()) {
    const double pxPerMm = context.dpi / kMmPerInch;
    QImage image;
    if (context.symbol) {
        // Bilevel digits are drawn only in a palette picture.
        const bool bilevel = context.symbol->output.bilevel;
        image = palette || bilevel ? renderSymbolPalettePicture(*context.symbol, pxPerMm, pxPerMm,
                                                                std::move(recycled))
                                   : renderSymbolImage(*context.symbol, pxPerMm, pxPerMm);
        if (!palette && image.format() == QImage::Format_Indexed8) {
            image = image.convertToFormat(QImage::Format_RGB32);
        }
    }
    if (image.isNull()) {
        warnNothingToOutput(context, dialogs);
    }
    return image;
}

// Shows the picture of the file under the cursor beside the list, so that the user sees what
// an overwrite would replace. Only Qt's own dialog has room for it.
void addPicturePreview(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr) {
        return;
    }
    auto* preview = new QLabel(&dialog);
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(
        &dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
            const QImage picture(path);
            preview->setPixmap(picture.isNull() ? QPixmap()
                                                : QPixmap::fromImage(picture.scaled(
                                                      preview->size(), Qt::KeepAspectRatio,
                                                      Qt::SmoothTransformation)));
        });
}

// Where the last save of this run went and with which type: the next Save As opens there.
// Nothing is kept after exit.
struct LastSave {
    QString folder;
    PictureFormat format = PictureFormat::Bitmap;
};

LastSave& lastSave() {
    static LastSave last;
    return last;
}

std::optional<SaveChoice> askSavePathInDialog(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    QString selected = kBitmapFilter;
    const LastSave& last = lastSave();
    for (const SaveFilter& f : kSaveFilters) {
        filters << f.filter;
        if (f.format == last.format) {
            selected = f.filter;
        }
    }
    dialog.setNameFilters(filters);
    if (!last.folder.isEmpty()) {
        dialog.setDirectory(last.folder);
    }
    dialog.selectNameFilter(selected);
    dialog.setSizeGripEnabled(true);
    addPicturePreview(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    PictureFormat filter = PictureFormat::Bitmap;
    for (const SaveFilter& f : kSaveFilters) {
        if (dialog.selectedNameFilter() == f.filter) {
            filter = f.format;
        }
    }
    return SaveChoice{dialog.selectedFiles().constFirst(), filter};
}

// BMP and JPEG through the window's image objects; an empty error when there was nothing to
// draw (the warning is already shown).
WriteResult savePicture(const CommandContext& context, const CommandDialogs& dialogs,
                        PictureFormat format, const QString& path, QImage& target) {
    target = renderOrWarn(context, dialogs, format == PictureFormat::Bitmap, std::move(target));
    if (target.isNull()) {
        return WriteResult::failure(QString());
    }
    return format == PictureFormat::Jpeg ? writeJpeg(target, path) : writeBmp(target, path);
}

// PNG, SVG and PDF: the same bytes strikon-render writes, replacing the file whole.
WriteResult saveFile(const CommandContext& context, const CommandDialogs& dialogs,
                     PictureFormat format, const QString& path) {
    if (!context.symbol || !measureSymbol(*context.symbol, 1.0, 1.0)) {
        warnNothingToOutput(context, dialogs);
        return WriteResult::failure(QString());
    }
    const SymbolFileFormat file = format == PictureFormat::Png   ? SymbolFileFormat::Png
                                  : format == PictureFormat::Svg ? SymbolFileFormat::Svg
                                                                 : SymbolFileFormat::Pdf;
    const ValueResult<QByteArray> bytes = encodeSymbolFile(*context.symbol, file, context.dpi);
    return bytes.ok ? writeFileAtomically(path, bytes.value) : WriteResult::failure(bytes.error);
}

}  // namespace

CommandDialogs CommandDialogs::interactive() {
    CommandDialogs dialogs;
    dialogs.askSavePath = askSavePathInDialog;
    dialogs.askPrinter = [](QWidget* parent, QPrinter& printer) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.warn = [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, windowTitle(parent), text);
    };
    dialogs.inform = [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, windowTitle(parent), text);
    };
    dialogs.openDocument = openWithDesktop;
    return dialogs;
}

PictureFormat resolveSaveFormat(QString& path, PictureFormat selectedFilter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const SaveFilter& f : kSaveFilters) {
        for (const char* s : f.suffixes) {
            if (s != nullptr && suffix == QLatin1String(s)) {
                return f.format;
            }
        }
    }
    for (const SaveFilter& f : kSaveFilters) {
        if (f.format == selectedFilter) {
            path += QLatin1Char('.') + QLatin1String(f.suffixes[0]);
        }
    }
    return selectedFilter;
}

bool saveSymbolAs(const CommandContext& context, const CommandDialogs& dialogs, QImage& bitmapImage,
                  QImage& jpegImage) {
    const std::optional<SaveChoice> choice = dialogs.askSavePath(context.parent);
    if (!choice) {
        return false;
    }
    QString path = choice->path;
    const PictureFormat format = resolveSaveFormat(path, choice->selectedFilter);
    const WriteResult written =
        format == PictureFormat::Bitmap || format == PictureFormat::Jpeg
            ? savePicture(context, dialogs, format, path,
                          format == PictureFormat::Jpeg ? jpegImage : bitmapImage)
            : saveFile(context, dialogs, format, path);
    if (!written.ok) {
        if (written.error.isEmpty()) {
            return false;  // nothing to draw, already said
        }
        dialogs.warn(
            context.parent,
            message(context, kTexts.notSaved).arg(path, writeReason(written, context.language)));
        return false;
    }
    lastSave() = LastSave{QFileInfo(path).absolutePath(), format};
    return true;
}

bool printSymbol(const CommandContext& context, const CommandDialogs& dialogs) {
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs.askPrinter(context.parent, printer)) {
        return false;
    }
    const PrintOutcome outcome =
        context.symbol ? printSymbolPage(printer, *context.symbol) : PrintOutcome::NothingToDraw;
    switch (outcome) {
        case PrintOutcome::Printed:
            return true;
        case PrintOutcome::NothingToDraw:
            warnNothingToOutput(context, dialogs);
            return false;
        case PrintOutcome::NotStarted:
            dialogs.warn(context.parent, message(context, kTexts.printNotStarted));
            return false;
        case PrintOutcome::NotFinished:
            dialogs.warn(context.parent, message(context, kTexts.printNotFinished));
            return false;
    }
    return false;
}

bool copySymbol(const CommandContext& context, const CommandDialogs& dialogs) {
    const QImage image = renderOrWarn(context, dialogs);
    if (image.isNull()) {
        return false;
    }
    // The clipboard offers the image in every format Qt can encode (PNG among them), each
    // carrying the 300 dpi density.
    QGuiApplication::clipboard()->setImage(image);
    return true;
}

std::optional<QString> exportSymbolToWord(const CommandContext& context,
                                          const CommandDialogs& dialogs) {
    const QImage image = renderOrWarn(context, dialogs, true);  // stored as a PNG
    if (image.isNull()) {
        return std::nullopt;
    }
    const ValueResult<QString> path = newExportDocxPath();
    const double pxPerMm = context.dpi / kMmPerInch;
    const QSizeF sizeMm = imageSizeMm(image, pxPerMm, pxPerMm);
    const WriteResult written =
        path.ok ? writeDocx(path.value, pngBytes(image), sizeMm.width(), sizeMm.height())
                : WriteResult::failure(path.error);
    if (!written.ok) {
        dialogs.warn(context.parent, message(context, kTexts.documentNotCreated)
                                         .arg(writeReason(written, context.language)));
        return std::nullopt;
    }
    if (!dialogs.openDocument(QUrl::fromLocalFile(path.value))) {
        dialogs.inform(context.parent, message(context, kTexts.documentNotOpened).arg(path.value));
    }
    return path.value;
}

}  // namespace strikon
