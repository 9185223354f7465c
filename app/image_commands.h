#pragma once
// Save As, Print, Copy and Export to Word: each renders the current symbol through the same
// measure-then-draw call as the preview, on its own surface and at its own scale.

#include <QImage>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

#include "app/language.h"
#include "render/symbol_file.h"
#include "render/symbol_request.h"

class QPrinter;
class QWidget;

namespace strikon {

struct SaveChoice {
    QString path;
    SymbolFileFormat selectedFilter = SymbolFileFormat::Bmp;
};

// What to do with a symbol that grades below C at the printer's resolution.
enum class GradeChoice { PrintAsItIs, WholeDots, Cancel };

// The interactive parts, replaceable so that tests run without dialogs, printers or a desktop.
struct CommandDialogs {
    std::function<std::optional<SaveChoice>(QWidget* parent)> askSavePath;
    std::function<bool(QWidget* parent, QPrinter& printer)> askPrinter;  // true: print
    std::function<void(QWidget* parent, const QString& text)> warn;
    std::function<void(QWidget* parent, const QString& text)> inform;
    std::function<bool(const QUrl& url)> openDocument;
    // The question before printing a symbol below grade C; offerWholeDots: whole-dot modules
    // would raise it. None asks nothing and prints as it is.
    std::function<GradeChoice(QWidget* parent, const QString& text, bool offerWholeDots,
                              Language language)>
        askGrade;

    static CommandDialogs interactive();
};

// The format follows the extension when it is one the dialog offers; otherwise the selected
// filter decides and its extension is appended to the path.
SymbolFileFormat resolveSaveFormat(QString& path, SymbolFileFormat selectedFilter);

// What one command needs to know about the program's state.
struct CommandContext {
    QWidget* parent = nullptr;
    std::optional<SymbolRequest> symbol;    // nothing: the page describes no symbol
    Language language = Language::English;  // language of the messages
    int dpi = 300;                          // resolution of saved, copied and exported pictures
    // Keeps whole-dot modules on for what follows, when the user chose them before printing.
    std::function<void()> useWholeDots = nullptr;
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
