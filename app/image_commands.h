#pragma once
// Save As, Print, Copy and Export to Word: each renders the current symbol through the same
// measure-then-draw call as the preview, on its own surface and at its own scale.

#include <QImage>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

#include "app/language.h"
#include "render/symbol_request.h"

class QPrinter;
class QWidget;

namespace strikon {

enum class PictureFormat { Bitmap, Jpeg, Png, Svg, Pdf };

struct SaveChoice {
    QString path;
    PictureFormat selectedFilter = PictureFormat::Bitmap;
};

// The interactive parts, replaceable so that tests run without dialogs, printers or a desktop.
struct CommandDialogs {
    std::function<std::optional<SaveChoice>(QWidget* parent)> askSavePath;
    std::function<bool(QWidget* parent, QPrinter& printer)> askPrinter;  // true: print
    std::function<void(QWidget* parent, const QString& text)> warn;
    std::function<void(QWidget* parent, const QString& text)> inform;
    std::function<bool(const QUrl& url)> openDocument;

    static CommandDialogs interactive();
};

// The format follows the extension when it is one the dialog offers; otherwise the selected
// filter decides and its extension is appended to the path.
PictureFormat resolveSaveFormat(QString& path, PictureFormat selectedFilter);

// What one command needs to know about the program's state.
struct CommandContext {
    QWidget* parent = nullptr;
    std::optional<SymbolRequest> symbol;    // nothing: the page describes no symbol
    Language language = Language::English;  // language of the messages
    int dpi = 300;                          // resolution of saved, copied and exported pictures
};

// Each returns true when it did its work; failures have already been shown to the user.
// Save As renders BMP and JPEG into the given image object (the bitmap or the JPEG one); PNG,
// SVG and PDF are written by the same encoders as strikon-render's.
bool saveSymbolAs(const CommandContext& context, const CommandDialogs& dialogs, QImage& bitmapImage,
                  QImage& jpegImage);
bool printSymbol(const CommandContext& context, const CommandDialogs& dialogs);
bool copySymbol(const CommandContext& context, const CommandDialogs& dialogs);
// The path of the written document, or nothing.
std::optional<QString> exportSymbolToWord(const CommandContext& context,
                                          const CommandDialogs& dialogs);

}  // namespace strikon
