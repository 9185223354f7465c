#include "platform/images/atomic_write.h"

#include <QSaveFile>

namespace strikon {

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Without a temporary file there is no atomic replacement; refuse rather than write in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        return WriteResult::failure(file.errorString());
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return WriteResult::failure(reason);
    }
    // commit() flushes, closes and renames; on failure it removes the temporary file itself.
    if (!file.commit()) {
        return WriteResult::failure(file.errorString());
    }
    return WriteResult::success();
}

}  // namespace strikon
