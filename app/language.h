#pragma once
// The interface language, and the Russian and English wordings of one text. Each window or
// dialog keeps its wordings in one table at the top of its source. Texts the program compares
// (page captions, code-type and add-on items) never go into those tables: they are the same in
// both languages.

#include <QString>

namespace strikon {

enum class Language { Russian, English };

struct Wording {
    const char* russian;  // UTF-8
    const char* english;

    QString in(Language language) const {
        return QString::fromUtf8(language == Language::Russian ? russian : english);
    }
};

}  // namespace strikon
