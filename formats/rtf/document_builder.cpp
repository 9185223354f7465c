#include "document_builder.h"

#include <QTextDocument>

namespace strikon::rtf {

DocumentBuilder::DocumentBuilder(QTextDocument& document) : cursor_(&document) {}

void DocumentBuilder::appendText(const QString& text, const QTextCharFormat& format) {
    if (!text.isEmpty()) {
        cursor_.insertText(text, format);
    }
}

void DocumentBuilder::endParagraph(const QTextBlockFormat& block, const QTextCharFormat& mark) {
    finish(block, mark);
    cursor_.insertBlock();
}

void DocumentBuilder::finish(const QTextBlockFormat& block, const QTextCharFormat& mark) {
    cursor_.setBlockFormat(block);
    // The block's own character format sets the height of an empty paragraph.
    cursor_.setBlockCharFormat(mark);
}

}  // namespace strikon::rtf
