#pragma once
// Qt's own texts in the interface language: the standard dialog buttons, the colour, file and
// print dialogs, message boxes and the line edits' context menu. They come from the
// translations Qt ships (Debian's qt6-translations-l10n) in Qt's translations folder.

#include <QString>

namespace strikon {

// "RUS" installs Qt's Russian translation for the whole application, any other code removes it
// (Qt's texts are English without one). Widgets that are already open retranslate on the
// language-change event Qt sends. Returns false when the Russian translation cannot be loaded;
// Qt's texts then stay English.
bool useQtTranslations(const QString& lang);

}  // namespace strikon
