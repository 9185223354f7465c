#pragma once
// Where Export to Word puts its documents: one folder of the run's own under the user's
// temporary directory, made at the first export, with a new name for each document in it, so
// that an earlier export still open in a word processor is never overwritten. The folder stays
// after the program ends, since the word processor reads the document later; the folders of
// earlier runs are removed once they are a day old and hold nothing but their documents.

#include <QDateTime>
#include <QString>

#include "platform/result.h"

namespace strikon {

inline constexpr char kExportDocxName[] = "Strikon.docx";
// How long an earlier run's folder is kept: a word processor has long read its document by then.
inline constexpr qint64 kStaleExportSeconds = 24 * 60 * 60;

class ExportFolder {
  public:
    // The path of the next document, "Strikon.docx", then "Strikon-2.docx" and so on; the
    // document is not created. Makes the folder (again, if it was removed or TMPDIR changed),
    // clearing stale folders of earlier runs first.
    ValueResult<QString> nextDocxPath();

  private:
    QString folder_;
};

// Removes the Strikon-XXXXXX folders under `temp` that hold only Strikon*.docx files and whose
// folder and files were all last changed before `staleBefore`; anything else is left alone.
void removeStaleExportFolders(const QString& temp, const QDateTime& staleBefore);

}  // namespace strikon
