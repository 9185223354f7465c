#pragma once
// Where Export to Word puts its document: a new folder of its own under the user's temporary
// directory, so that an earlier export still open in a word processor is never overwritten.

#include <QString>

#include "platform/result.h"

namespace strikon {

inline constexpr char kExportDocxName[] = "Strikon.docx";

// Creates the folder (it stays after the program ends, since the word processor reads the
// document later) and returns the path of the document inside it; the document is not created.
ValueResult<QString> newExportDocxPath();

}  // namespace strikon
