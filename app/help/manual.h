#pragma once
// The embedded manuals, one per interface language.

#include <QString>

class QTextDocument;

namespace strikon {

// Resource path of the manual for language code `lang` ("RUS" or "ENG", compared exactly);
// empty for any other code.
QString manualResource(const QString& lang);

// Replaces the content of `document` with the manual at `resource`. Returns false, leaving
// `document` as it was, when the resource cannot be opened.
bool loadManual(const QString& resource, QTextDocument& document);

}  // namespace strikon
