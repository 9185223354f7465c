#include "image_commands.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <cerrno>
#include <cstring>
#include <new>

#include "app/current_lang.h"
#include "app/scan_notices.h"
#include "app/write_reason.h"
#include "formats/bmp_writer.h"
#include "formats/docx_writer.h"
#include "formats/jpeg_writer.h"
#include "formats/png_bytes.h"
#include "platform/atomic_write.h"
#include "platform/export_folder.h"
#include "platform/link_opener.h"
#include "render/draw_symbol.h"
#include "render/print_page.h"
#include "render/symbol_file.h"
#include "render/symbol_image.h"

namespace strikon {

namespace {

// The dialog's filters in their order, each with its type's name in both languages and its
// format; the extensions are render's.
struct SaveFilter {
    Wording name;
    SymbolFileFormat format;

    // "Рисунок BMP (*.bmp)", "JPEG picture (*.jpg *.jpeg)".
    QString filter(Language language) const {
        QStringList patterns;
        for (const char* extension : extensionsOf(format)) {
            patterns << QStringLiteral("*.") + QLatin1String(extension);
        }
        return name.in(language) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
               QLatin1Char(')');
    }
};
const SaveFilter kSaveFilters[] = {
    {{"Рисунок BMP", "BMP picture"}, SymbolFileFormat::Bmp},
    {{"Рисунок JPEG", "JPEG picture"}, SymbolFileFormat::Jpeg},
    {{"Рисунок PNG", "PNG picture"}, SymbolFileFormat::Png},
    {{"Чертёж SVG", "SVG drawing"}, SymbolFileFormat::Svg},
    {{"Документ PDF", "PDF document"}, SymbolFileFormat::Pdf},
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
    Wording documentMaybeNotOpened{
        "Документ сохранён: %1. Если он не откроется, откройте его оттуда.",
        "The document was saved as %1. If it does not open, open it from there."};
    Wording useWholeDots{"Модули в целых точках", "Whole-dot modules"};
    Wording printAsItIs{"Печатать как есть", "Print as it is"};
    Wording cancel{"Отмена", "Cancel"};
};
constexpr CommandTexts kTexts{};

QString message(const CommandContext& context, const Wording& wording) {
    return wording.in(context.language);
}

QString windowTitle(QWidget* parent) {
    return parent ? parent->window()->windowTitle() : QCoreApplication::applicationName();
}

void warnNothingToOutput(const CommandContext& context, const CommandDialogs& dialogs) {
    QString text = message(context, kTexts.nothingToOutput);
    // Refused GS1 data says which AI is wrong and why.
    if (context.symbol && isGs1(context.symbol->symbology)) {
        if (const auto refusal = gs1Refusal(gs1SymbolOf(*context.symbol))) {
            text += QLatin1Char(' ') + QString::fromStdString(context.language == Language::Russian
                                                                  ? gs1ErrorRussian(*refusal)
                                                                  : gs1ErrorEnglish(*refusal));
        }
    }
    dialogs.warn(context.parent, text);
}

// A page that names no known symbology, or digits no symbol is drawn from, render nothing.
// palette: the picture is for a writer that stores a palette, and may be drawn in one, in the
// memory of the picture it replaces (recycled) where that fits.
QImage renderPicture(const CommandContext& context, bool palette = false,
                     QImage recycled = QImage()) {
    const double pxPerMm = context.dpi / kMmPerInch;
    if (!context.symbol) {
        return QImage();
    }
    // Bilevel digits are drawn only in a palette picture.
    if (!palette && !context.symbol->output.bilevel) {
        return renderSymbolImage(*context.symbol, pxPerMm, pxPerMm);
    }
    QImage image =
        renderSymbolPalettePicture(*context.symbol, pxPerMm, pxPerMm, std::move(recycled));
    if (!palette && image.format() == QImage::Format_Indexed8) {
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    return image;
}

QImage renderOrWarn(const CommandContext& context, const CommandDialogs& dialogs,
                    bool palette = false) {
    QImage image = renderPicture(context, palette);
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
    SymbolFileFormat format = SymbolFileFormat::Bmp;
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
    // The dialog speaks the window's language, its file types included.
    const Language language = currentLanguage();
    QStringList filters;
    QString selected = kSaveFilters[0].filter(language);
    const LastSave& last = lastSave();
    for (const SaveFilter& f : kSaveFilters) {
        filters << f.filter(language);
        if (f.format == last.format) {
            selected = f.filter(language);
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
    SymbolFileFormat filter = SymbolFileFormat::Bmp;
    for (const SaveFilter& f : kSaveFilters) {
        if (dialog.selectedNameFilter() == f.filter(language)) {
            filter = f.format;
        }
    }
    return SaveChoice{dialog.selectedFiles().constFirst(), filter};
}

// What a Save As came to: nothing to draw (the page describes no symbol), or the writer's
// result.
struct SaveOutcome {
    bool nothingToDraw = false;
    WriteResult written = WriteResult::success();
};

// The file of `format` at `path`. BMP and JPEG are drawn into the window's image object for
// them; PNG, SVG and PDF are the very bytes strikon-render writes. Either way the file is
// replaced whole or not at all.
SaveOutcome writeSymbolFile(const CommandContext& context, SymbolFileFormat format,
                            const QString& path, QImage& bitmapImage, QImage& jpegImage) {
    if (!context.symbol || !measureSymbol(*context.symbol, 1.0, 1.0)) {
        return {true};
    }
    if (format == SymbolFileFormat::Bmp || format == SymbolFileFormat::Jpeg) {
        // The symbol measured, so a picture that cannot be had is memory running out, never
        // "nothing to draw"; the same goes for the writers' buffers.
        const auto outOfMemory = [] {
            return SaveOutcome{
                false, WriteResult::failure(QString::fromLocal8Bit(std::strerror(ENOMEM)), ENOMEM)};
        };
        const bool jpeg = format == SymbolFileFormat::Jpeg;
        QImage& target = jpeg ? jpegImage : bitmapImage;
        try {
            target = renderPicture(context, !jpeg, std::move(target));
            if (target.isNull()) {
                return outOfMemory();
            }
            return {false, jpeg ? writeJpeg(target, path) : writeBmp(target, path)};
        } catch (const std::bad_alloc&) {
            target = QImage();
            return outOfMemory();
        }
    }
    const ValueResult<QByteArray> bytes = encodeSymbolFile(*context.symbol, format, context.dpi);
    return {false,
            bytes.ok ? writeFileAtomically(path, bytes.value) : WriteResult::failure(bytes.error)};
}

GradeChoice askGradeInDialog(QWidget* parent, const QString& text, bool offerWholeDots,
                             Language language) {
    QMessageBox box(QMessageBox::Warning, windowTitle(parent), text, QMessageBox::NoButton, parent);
    QPushButton* whole =
        offerWholeDots ? box.addButton(kTexts.useWholeDots.in(language), QMessageBox::AcceptRole)
                       : nullptr;
    QPushButton* asIs =
        box.addButton(kTexts.printAsItIs.in(language),
                      offerWholeDots ? QMessageBox::DestructiveRole : QMessageBox::AcceptRole);
    box.addButton(kTexts.cancel.in(language), QMessageBox::RejectRole);
    box.setDefaultButton(whole != nullptr ? whole : asIs);
    box.exec();
    if (whole != nullptr && box.clickedButton() == whole) {
        return GradeChoice::WholeDots;
    }
    return box.clickedButton() == asIs ? GradeChoice::PrintAsItIs : GradeChoice::Cancel;
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
    dialogs.openDocument = [](const QString& path) { return openFileWithDesktop(path); };
    dialogs.askGrade = askGradeInDialog;
    return dialogs;
}

SymbolFileFormat resolveSaveFormat(QString& path, SymbolFileFormat selectedFilter) {
    if (const std::optional<SymbolFileFormat> named = symbolFileFormatOf(path)) {
        return *named;
    }
    path += QLatin1Char('.') + QLatin1String(extensionsOf(selectedFilter).front());
    return selectedFilter;
}

bool saveSymbolAs(const CommandContext& context, const CommandDialogs& dialogs, QImage& bitmapImage,
                  QImage& jpegImage) {
    const std::optional<SaveChoice> choice = dialogs.askSavePath(context.parent);
    if (!choice) {
        return false;
    }
    QString path = choice->path;
    const SymbolFileFormat format = resolveSaveFormat(path, choice->selectedFilter);
    const SaveOutcome outcome = writeSymbolFile(context, format, path, bitmapImage, jpegImage);
    if (outcome.nothingToDraw) {
        warnNothingToOutput(context, dialogs);
        return false;
    }
    if (!outcome.written.ok) {
        dialogs.warn(context.parent,
                     message(context, kTexts.notSaved)
                         .arg(path, writeReason(outcome.written, context.language)));
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
    std::optional<SymbolRequest> symbol = context.symbol;
    if (symbol) {
        // The grade at the printer's own resolution, before anything is printed.
        const ScanReport report = scanCheck(*symbol, printer.resolution() / kMmPerInch);
        if (gradesBelowC(report) && dialogs.askGrade) {
            switch (dialogs.askGrade(context.parent,
                                     printQuestion(*symbol, report, context.language),
                                     wholeDotsRaise(report), context.language)) {
                case GradeChoice::Cancel:
                    return false;
                case GradeChoice::WholeDots:
                    symbol->output.fitDots = true;
                    if (context.useWholeDots) {
                        context.useWholeDots();
                    }
                    break;
                case GradeChoice::PrintAsItIs:
                    break;
            }
        }
    }
    const PrintOutcome outcome =
        symbol ? printSymbolPage(printer, *symbol) : PrintOutcome::NothingToDraw;
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
    // One folder for the run's exports (see export_folder.h).
    static ExportFolder folder;
    const ValueResult<QString> path = folder.nextDocxPath();
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
    // Whenever opening is not confirmed the user is told where the document is: otherwise it
    // would sit in a temporary folder nobody mentioned.
    switch (dialogs.openDocument(path.value)) {
        case OpenOutcome::Opened:
            break;
        case OpenOutcome::Failed:
            dialogs.inform(context.parent, message(context, kTexts.documentNotOpened)
                                               .arg(QDir::toNativeSeparators(path.value)));
            break;
        case OpenOutcome::Unconfirmed:
            dialogs.inform(context.parent, message(context, kTexts.documentMaybeNotOpened)
                                               .arg(QDir::toNativeSeparators(path.value)));
            break;
    }
    return path.value;
}

}  // namespace strikon
