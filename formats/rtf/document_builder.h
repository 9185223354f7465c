#pragma once
// Writes runs of text and paragraph ends into a QTextDocument. RTF states a paragraph's
// properties where the paragraph ends, so a block gets its format when it is closed.

#include <QTextCursor>

class QTextDocument;

namespace strikon::rtf {

class DocumentBuilder {
  public:
    explicit DocumentBuilder(QTextDocument& document);

    void appendText(const QString& text, const QTextCharFormat& format);
    // Gives the current block its formats and starts a new one.
    void endParagraph(const QTextBlockFormat& block, const QTextCharFormat& mark);
    // Gives the last block its formats; call once, after the last text.
    void finish(const QTextBlockFormat& block, const QTextCharFormat& mark);

  private:
    QTextCursor cursor_;
};

}  // namespace strikon::rtf
