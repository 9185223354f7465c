#pragma once
// Replaces the file at a path with new contents all at once: the bytes go to a temporary file in
// the same folder, every write and the sync to disk are checked, and only then is the temporary
// renamed over the target (and the folder synced, so the new name survives a power cut). On any
// failure (missing folder, no permission, full disk) an existing file keeps its old contents
// byte for byte, no temporary file is left behind, and the reason is the system's own words
// ("No space left on device", "File too large").

#include <QByteArray>
#include <QString>

#include "platform/images/write_result.h"

namespace strikon {

enum class LinkPolicy {
    // A symbolic link at the path is followed and its target replaced, as a shell's ">" does;
    // for a file the user named.
    Follow,
    // A symbolic link at the path is refused, not replaced and not written through; for names
    // that come from data (a batch row), which must not reach outside their folder.
    Refuse,
};

// Anything at the path that is not a regular file (a folder, a device, a FIFO) is refused under
// either policy: renaming over it would destroy it.
WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes,
                                LinkPolicy links = LinkPolicy::Follow);

}  // namespace strikon
