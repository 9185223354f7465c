#pragma once
// Replaces the file at a path with new contents all at once: the bytes go to a temporary file in
// the same folder, every write and the sync to disk are checked, and only then is the temporary
// renamed over the target (and the folder synced, so the new name survives a power cut). On any
// failure (missing folder, no permission, full disk) an existing file keeps its old contents
// byte for byte, no temporary file is left behind, and the reason is the system's own words
// ("No space left on device", "File too large"). A file already at the path that this process may
// not write, or that belongs to another user, is refused as the shell refuses it ("Permission
// denied") before anything is written; the super-user's write keeps the file's owner.

#include <QByteArray>
#include <QString>
#include <ctime>
#include <memory>
#include <span>
#include <vector>

#include "platform/result.h"

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
// The same for a file made of pieces, written in order straight from where they lie (a
// picture's rows need not be copied into one buffer first).
WriteResult writeFileAtomically(const QString& path, std::span<const QByteArrayView> pieces,
                                LinkPolicy links = LinkPolicy::Follow);

// The same in two steps, for many files (a batch), where one sync per file would keep the disk
// busy far longer than the drawing. stageFile makes the same checks and leaves the bytes whole
// in a file beside the target, not yet synced; nothing is under the target's name yet. Where
// the system can (Linux, most local file systems) that file has no name at all and stays
// open; elsewhere it is a hidden temporary ("." + name + ".XXXXXXXX.tmp"), closed.
// commitStaged then makes the data of every staged file durable with one sync of the file
// system, gives each its target's name (a link, or a rename over a file already there), and
// syncs the folder once. A crash at any moment leaves each target either as it was or whole
// with its new contents; an unnamed file goes with the crash, a hidden temporary may stay.
class UnnamedFile;
struct StagedFile {
    QByteArray folder;     // as the system spells it
    QByteArray temporary;  // the temporary's name inside the folder; empty when unnamed
    QByteArray name;       // the target's name inside the folder
    std::shared_ptr<const UnnamedFile> unnamed;  // the open file while it has no name
};
ValueResult<StagedFile> stageFile(const QString& path, const QByteArray& bytes,
                                  LinkPolicy links = LinkPolicy::Follow);
// files: staged in one folder. One result per file, in order; a file that fails has its
// temporary removed (or never named) and its target untouched.
std::vector<WriteResult> commitStaged(const std::vector<StagedFile>& files);

// The hidden temporaries that a run stopped mid-way (killed, power cut) left in a folder: names
// of exactly that form, regular files of this user, last changed before `before` (so none of a
// run under way since). Returns how many were removed.
int removeStaleTemporaries(const QString& folder, std::time_t before);

}  // namespace strikon
