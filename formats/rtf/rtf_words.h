#pragma once
// Tables of control words that the reader treats alike.

#include <QByteArrayView>

namespace strikon::rtf {

// Words that open a destination whose text is not part of the shown document.
bool isHiddenDestination(QByteArrayView word);

// \ul and its dotted, dashed, double, thick and wavy variants.
bool isUnderlineWord(QByteArrayView word);

// The character a word such as \tab or \emdash stands for; 0 for any other word.
char16_t specialCharacter(QByteArrayView word);

}  // namespace strikon::rtf
