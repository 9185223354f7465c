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
#include "platform/desktop/link_opener.h"
#include "platform/images/bmp_writer.h"
#include "platform/images/docx_writer.h"
#include "platform/images/export_folder.h"
#include "platform/images/jpeg_writer.h"
#include "platform/images/png_bytes.h"
#include "render/print_page.h"
#include "render/symbol_image.h"

namespace strikon {

namespace {

const QString kBitmapFilter = QStringLiteral("Bitmaps (*.bmp)");
const QString kJpegFilter = QStringLiteral("JPEG Image File (*.jpg *.jpeg)");

QString message(const CommandContext& context, const char* russian, const char* english) {
    return QString::fromUtf8(context.russian ? russian : english);
}

QString windowTitle(QWidget* parent) {
    return parent ? parent->window()->windowTitle() : QCoreApplication::applicationName();
}

void warnNothingToOutput(const CommandContext& context, const CommandDialogs& dialogs) {
    dialogs.warn(context.parent,
                 message(context, "Нет штрихкода для вывода.", "There is no barcode to output."));
}

// A page that names no known symbology, or digits no symbol is drawn from, render nothing.
QImage renderOrWarn(const CommandContext& context, const CommandDialogs& dialogs) {
    QImage image = context.symbol ? renderSymbolImage(*context.symbol) : QImage();
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
    dialog.setNameFilters({kBitmapFilter, kJpegFilter});
    const LastSave& last = lastSave();
    if (!last.folder.isEmpty()) {
        dialog.setDirectory(last.folder);
    }
    dialog.selectNameFilter(last.format == PictureFormat::Jpeg ? kJpegFilter : kBitmapFilter);
    dialog.setSizeGripEnabled(true);
    addPicturePreview(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const PictureFormat filter =
        dialog.selectedNameFilter() == kJpegFilter ? PictureFormat::Jpeg : PictureFormat::Bitmap;
    return SaveChoice{dialog.selectedFiles().constFirst(), filter};
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
    if (suffix == QLatin1String("bmp")) {
        return PictureFormat::Bitmap;
    }
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return PictureFormat::Jpeg;
    }
    path += selectedFilter == PictureFormat::Jpeg ? QLatin1String(".jpg") : QLatin1String(".bmp");
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
    QImage& target = format == PictureFormat::Jpeg ? jpegImage : bitmapImage;
    target = renderOrWarn(context, dialogs);
    if (target.isNull()) {
        return false;
    }
    const WriteResult written =
        format == PictureFormat::Jpeg ? writeJpeg(target, path) : writeBmp(target, path);
    if (!written.ok) {
        dialogs.warn(context.parent, message(context, "Не удалось сохранить файл «%1»: %2",
                                             "Could not save the file \"%1\": %2")
                                         .arg(path, writeReason(written, context.russian)));
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
            dialogs.warn(context.parent, message(context, "Не удалось начать печать.",
                                                 "Could not start printing."));
            return false;
        case PrintOutcome::NotFinished:
            dialogs.warn(context.parent,
                         message(context, "Не удалось завершить печать: страница не отправлена.",
                                 "Could not finish printing: the page was not sent."));
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
    const QImage image = renderOrWarn(context, dialogs);
    if (image.isNull()) {
        return std::nullopt;
    }
    const ValueResult<QString> path = newExportDocxPath();
    const QSizeF sizeMm = imageSizeMm(image);
    const WriteResult written =
        path.ok ? writeDocx(path.value, pngBytes(image), sizeMm.width(), sizeMm.height())
                : WriteResult::failure(path.error);
    if (!written.ok) {
        dialogs.warn(context.parent, message(context, "Не удалось создать документ: %1",
                                             "Could not create the document: %1")
                                         .arg(writeReason(written, context.russian)));
        return std::nullopt;
    }
    if (!dialogs.openDocument(QUrl::fromLocalFile(path.value))) {
        dialogs.inform(
            context.parent,
            message(context, "Не найдена программа для открытия документа. Документ сохранён: %1",
                    "No program could open the document. It was saved as %1")
                .arg(path.value));
    }
    return path.value;
}

}  // namespace strikon
