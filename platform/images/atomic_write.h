#pragma once
// Replaces the file at a path with new contents all at once: the bytes go to a temporary file in
// the same folder, which is renamed over the target only when every byte is on disk. On any
// failure (missing folder, no permission, full disk) an existing file keeps its old contents and
// no temporary file is left behind.

#include <QByteArray>
#include <QString>

#include "platform/images/write_result.h"

namespace strikon {

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace strikon
