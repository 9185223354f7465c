#pragma once
// Reads an RTF document into a QTextDocument: text in the code page of its font (1251 and 1252
// tables built in), \uN characters, font size, bold, italics, underline, strike-out, colour,
// indents, spacing and alignment of paragraphs, tabs and line breaks. Pictures, tables, lists,
// styles, headers and document information are not shown.
//
// Any input is accepted: malformed RTF (unbalanced braces, truncated escapes, absurd numbers,
// deep nesting) is read as far as it makes sense, never past the end of `rtf`, in time linear
// in its length.

#include <QByteArrayView>
#include <memory>

class QTextDocument;

namespace strikon {

// Replaces the whole content of `document` with the RTF in `rtf`.
void readRtf(QByteArrayView rtf, QTextDocument& document);

std::unique_ptr<QTextDocument> readRtf(QByteArrayView rtf);

}  // namespace strikon
