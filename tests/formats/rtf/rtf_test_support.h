#pragma once
// Small helpers for reading a snippet and looking at what came out.

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

#include "formats/rtf/rtf_reader.h"

namespace strikon::test {

inline std::unique_ptr<QTextDocument> read(const QByteArray& rtf) {
    return readRtf(rtf);
}

inline QString plainText(const QByteArray& rtf) {
    return read(rtf)->toPlainText();
}

inline QStringList blockTexts(const QTextDocument& document) {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        texts << block.text();
    }
    return texts;
}

// A cursor selecting the first occurrence of `needle`; null when there is none.
inline QTextCursor findText(const QTextDocument& document, const QString& needle) {
    return document.find(needle, 0, QTextDocument::FindCaseSensitively);
}

// The character format of the first character of `needle` in `document`.
inline QTextCharFormat formatOf(const QTextDocument& document, const QString& needle) {
    const QTextCursor found = findText(document, needle);
    QTextCursor cursor(found.document());
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

}  // namespace strikon::test
