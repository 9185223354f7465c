#include "platform/atomic_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

// Written on the system calls rather than QSaveFile: Qt 6.4's QSaveFile::commit() renames even
// when the flush of its buffer failed, so a small file on a full disk replaced the earlier one
// with an empty or cut file and reported success.

namespace strikon {
namespace {

WriteResult systemFailure(int errnum) {
    return WriteResult::failure(QString::fromLocal8Bit(std::strerror(errnum)), errnum);
}

// Closes on every path out of the writer.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }
    // Closes now and says whether the system reported a fault (some file systems only report a
    // failed write at close).
    int closeChecked() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 || errno == EINTR ? 0 : errno;  // after EINTR the descriptor is gone too
    }

  private:
    int fd_;
};

}  // namespace

// An open file without a name, made with O_TMPFILE. Open ones are counted: each holds a
// descriptor until its commit, and a batch must not run out of them.
class UnnamedFile {
  public:
    explicit UnnamedFile(int fd) : fd_(fd) { ++open_; }
    UnnamedFile(const UnnamedFile&) = delete;
    UnnamedFile& operator=(const UnnamedFile&) = delete;
    ~UnnamedFile() {
        ::close(fd_);
        --open_;
    }
    int fd() const { return fd_; }
    static int open() { return open_; }

  private:
    int fd_;
    static inline std::atomic<int> open_{0};
};

namespace {

// At most this many staged files are held open unnamed; beyond it they are named temporaries,
// closed once written. A quarter of the descriptors the process may open, so that a low limit
// (ulimit -n) leaves the rest of the program all it needs.
int maxUnnamed() {
    static const int most = [] {
        rlimit files{};
        if (::getrlimit(RLIMIT_NOFILE, &files) != 0 || files.rlim_cur == RLIM_INFINITY) {
            return 256;
        }
        return static_cast<int>(std::min<rlim_t>(256, files.rlim_cur / 4));
    }();
    return most;
}

// A file without a name is given one through its entry in /proc (linkat with AT_EMPTY_PATH
// needs a privilege); without /proc there is no way, so none is made.
bool canNameUnnamed() {
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

int linkUnnamed(const UnnamedFile& file, int folder, const QByteArray& name) {
    const QByteArray entry = "/proc/self/fd/" + QByteArray::number(file.fd());
    return ::linkat(AT_FDCWD, entry.constData(), folder, name.constData(), AT_SYMLINK_FOLLOW) == 0
               ? 0
               : errno;
}

// A folder and a name inside it; every step after the split works relative to the folder, so a
// name that is a link is seen as one and never resolved on the way.
struct Place {
    QByteArray folder;
    QByteArray name;
};

Place split(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return {".", path};
    }
    return {slash == 0 ? QByteArray("/") : path.left(slash), path.mid(slash + 1)};
}

// Under LinkPolicy::Follow: the file a chain of links ends at, which need not exist yet.
QString followLinks(QString path) {
    for (int hops = 0; hops < 40 && QFileInfo(path).isSymLink(); ++hops) {
        path = QFileInfo(path).symLinkTarget();
    }
    return path;
}

// A name for the temporary beside the target: hidden, related to the target's name (cut so the
// whole stays within the 255-byte limit of a name), and random.
QByteArray temporaryName(const QByteArray& name) {
    QByteArray stem = name.left(200);
    while (stem.size() < name.size() && !stem.isEmpty() &&
           (static_cast<unsigned char>(name[stem.size()]) & 0xC0) == 0x80) {
        stem.chop(1);  // do not cut a UTF-8 sequence
    }
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix(8, '0');
    for (char& c : suffix) {
        c = kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet - 1))];
    }
    return "." + stem + "." + suffix + ".tmp";
}

// fsync on a file system that cannot sync (EINVAL) has nothing more to do.
int syncChecked(int fd) {
    return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

int writeAll(int fd, std::span<const QByteArrayView> pieces) {
    std::vector<iovec> left;
    left.reserve(pieces.size());
    for (const QByteArrayView piece : pieces) {
        if (!piece.isEmpty()) {
            left.push_back({const_cast<char*>(piece.data()), static_cast<size_t>(piece.size())});
        }
    }
    for (size_t at = 0; at < left.size();) {
        const auto count = static_cast<int>(std::min<size_t>(left.size() - at, IOV_MAX));
        // A short count is not a failure yet: the next call says why it stopped (ENOSPC, EFBIG).
        const ssize_t n = ::writev(fd, left.data() + at, count);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        for (auto written = static_cast<size_t>(n); written > 0;) {
            iovec& piece = left[at];
            const size_t step = std::min(written, piece.iov_len);
            piece.iov_base = static_cast<char*>(piece.iov_base) + step;
            piece.iov_len -= step;
            written -= step;
            at += piece.iov_len == 0 ? 1 : 0;
        }
    }
    return 0;
}

// What a replaced file keeps.
struct Kept {
    mode_t mode;
    uid_t uid;
    gid_t gid;
};

class AtomicWrite {
  public:
    AtomicWrite(int folder, Place place) : folder_(folder), place_(std::move(place)) {}

    WriteResult run(std::span<const QByteArrayView> bytes, LinkPolicy links) {
        if (WriteResult staged = stage(bytes, links, true); !staged.ok) {
            return staged;
        }
        if (::renameat(folder_, temporary_.constData(), folder_, place_.name.constData()) != 0) {
            const int e = errno;
            ::unlinkat(folder_, temporary_.constData(), 0);
            return systemFailure(e);
        }
        // The file is whole under its name; the folder's sync makes the rename itself durable.
        if (int e = syncChecked(folder_); e != 0) {
            return systemFailure(e);
        }
        return WriteResult::success();
    }

    // The bytes whole in a closed temporary file beside the target, synced when asked to.
    // unnamed: the file may stay open without a name (a staged file), where the system can.
    WriteResult stage(std::span<const QByteArrayView> bytes, LinkPolicy links, bool sync,
                      bool unnamed = false) {
        std::optional<Kept> kept;  // a new file gets the usual 0666 less the umask
        struct stat st;
        if (::fstatat(folder_, place_.name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISLNK(st.st_mode)) {  // under Follow, only a chain too long to follow
                return links == LinkPolicy::Refuse
                           ? WriteResult::failure(
                                 QStringLiteral("it is a symbolic link, which is not followed"),
                                 ELOOP)
                           : systemFailure(ELOOP);
            }
            if (!S_ISREG(st.st_mode)) {
                return WriteResult::failure(QStringLiteral("it is not a regular file"));
            }
            if (int e = mayReplace(st); e != 0) {
                return systemFailure(e);
            }
            // A replaced file keeps its permissions and its owner.
            kept = Kept{st.st_mode & 07777, st.st_uid, st.st_gid};
        } else if (errno != ENOENT) {
            return systemFailure(errno);
        }
        const mode_t mode = kept ? 0600 : 0666;
        if (unnamed && canNameUnnamed() && UnnamedFile::open() < maxUnnamed()) {
            const int fd = ::openat(folder_, ".", O_WRONLY | O_TMPFILE | O_CLOEXEC, mode);
            if (fd >= 0) {
                auto file = std::make_shared<UnnamedFile>(fd);
                if (int e = fill(fd, bytes, kept, false); e != 0) {
                    return systemFailure(e);  // the file goes with its descriptor
                }
                unnamed_ = std::move(file);
                return WriteResult::success();
            }
            // No O_TMPFILE on this file system (or no descriptor left): a named temporary.
        }
        if (int e = createTemporary(mode); e != 0) {
            return systemFailure(e);
        }
        int e = fill(file_->get(), bytes, kept, sync);
        if (e == 0) {
            e = file_->closeChecked();
        }
        if (e != 0) {
            ::unlinkat(folder_, temporary_.constData(), 0);
            return systemFailure(e);
        }
        return WriteResult::success();
    }

    const QByteArray& temporary() const { return temporary_; }
    const std::shared_ptr<UnnamedFile>& unnamed() const { return unnamed_; }

  private:
    int createTemporary(mode_t mode) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            temporary_ = temporaryName(place_.name);
            const int fd = ::openat(folder_, temporary_.constData(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd >= 0) {
                file_ = std::make_unique<FileDescriptor>(fd);
                return 0;
            }
            if (errno != EEXIST) {
                return errno;
            }
        }
        return EEXIST;
    }

    // Replacing a file by a rename needs only the folder's permission, yet what the user may
    // not write stays as it is, as the shell's ">" leaves it: a file without write access for
    // this process, and another user's file, which a rename would hand to this user. The
    // super-user may replace it, and the file keeps its owner.
    int mayReplace(const struct stat& st) const {
        if (::faccessat(folder_, place_.name.constData(), W_OK, AT_EACCESS) != 0) {
            return errno;
        }
        const uid_t self = ::geteuid();
        return st.st_uid != self && self != 0 ? EACCES : 0;
    }

    static int fill(int fd, std::span<const QByteArrayView> bytes, std::optional<Kept> kept,
                    bool sync) {
        if (kept) {
            // Before any byte: the owner is kept or nothing is written. A group this user may
            // not give (no longer a member) falls back to the folder's.
            struct stat now;
            if (::fstat(fd, &now) != 0) {
                return errno;
            }
            if (now.st_uid != kept->uid && ::fchown(fd, kept->uid, kept->gid) != 0) {
                return errno;
            }
            if (now.st_gid != kept->gid) {
                [[maybe_unused]] const int ignored = ::fchown(fd, uid_t(-1), kept->gid);
            }
        }
        if (int e = writeAll(fd, bytes); e != 0) {
            return e;
        }
        if (kept && ::fchmod(fd, kept->mode) != 0) {
            return errno;
        }
        return sync ? syncChecked(fd) : 0;
    }

    int folder_;
    Place place_;
    QByteArray temporary_;
    std::unique_ptr<FileDescriptor> file_;
    std::shared_ptr<UnnamedFile> unnamed_;
};

// The folder and name a write goes to, with the folder opened; error set when it cannot be.
struct Opened {
    Place place;
    FileDescriptor folder;
    WriteResult error = WriteResult::success();
};

std::unique_ptr<Opened> openTarget(const QString& path, LinkPolicy links) {
    auto opened = std::make_unique<Opened>();
    if (path.contains(QChar(0))) {  // the system would read the name only up to it
        opened->error =
            WriteResult::failure(QStringLiteral("the name holds a NUL character"), EINVAL);
        return opened;
    }
    const QString target = links == LinkPolicy::Follow ? followLinks(path) : path;
    opened->place = split(QFile::encodeName(target));
    if (opened->place.name.isEmpty()) {
        opened->error = systemFailure(EISDIR);
        return opened;
    }
    opened->folder.reset(
        ::open(opened->place.folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (opened->folder.get() < 0) {
        opened->error = systemFailure(errno);
    }
    return opened;
}

// Gives an unnamed file the target's name. Where a file is already there, the new one is named
// beside it first and renamed over it, so the name never points at nothing.
int nameUnnamed(const UnnamedFile& file, int folder, const QByteArray& name) {
    const int linked = linkUnnamed(file, folder, name);
    if (linked != EEXIST) {
        return linked;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = temporaryName(name);
        if (const int e = linkUnnamed(file, folder, temporary); e != 0) {
            if (e == EEXIST) {
                continue;
            }
            return e;
        }
        if (::renameat(folder, temporary.constData(), folder, name.constData()) != 0) {
            const int e = errno;
            ::unlinkat(folder, temporary.constData(), 0);
            return e;
        }
        return 0;
    }
    return EEXIST;
}

}  // namespace

namespace {

// "." + a name + "." + eight of [a-z0-9] + ".tmp", as temporaryName makes them.
bool isTemporaryName(std::string_view name) {
    constexpr size_t kTail = 1 + 8 + 4;
    if (name.size() < 1 + 1 + kTail || name.front() != '.' || !name.ends_with(".tmp")) {
        return false;
    }
    const std::string_view suffix = name.substr(name.size() - kTail, 9);
    return suffix.front() == '.' && std::all_of(suffix.begin() + 1, suffix.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
           });
}

}  // namespace

int removeStaleTemporaries(const QString& folder, std::time_t before) {
    const FileDescriptor dir(
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) {
        return 0;
    }
    DIR* listing = ::fdopendir(::dup(dir.get()));
    if (listing == nullptr) {
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        struct stat st;
        if (isTemporaryName(entry->d_name) &&
            ::fstatat(dir.get(), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_mtime < before &&
            ::unlinkat(dir.get(), entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(listing);
    return removed;
}

WriteResult writeFileAtomically(const QString& path, std::span<const QByteArrayView> pieces,
                                LinkPolicy links) {
    const std::unique_ptr<Opened> target = openTarget(path, links);
    if (!target->error.ok) {
        return target->error;
    }
    return AtomicWrite(target->folder.get(), target->place).run(pieces, links);
}

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, LinkPolicy links) {
    const QByteArrayView whole(bytes);
    return writeFileAtomically(path, std::span(&whole, 1), links);
}

ValueResult<StagedFile> stageFile(const QString& path, const QByteArray& bytes, LinkPolicy links) {
    const std::unique_ptr<Opened> target = openTarget(path, links);
    if (!target->error.ok) {
        return ValueResult<StagedFile>::failure(target->error.error);
    }
    AtomicWrite write(target->folder.get(), target->place);
    const QByteArrayView whole(bytes);
    if (const WriteResult staged = write.stage(std::span(&whole, 1), links, false, true);
        !staged.ok) {
        return ValueResult<StagedFile>::failure(staged.error);
    }
    return ValueResult<StagedFile>::success({target->place.folder,
                                             write.unnamed() ? QByteArray() : write.temporary(),
                                             target->place.name, write.unnamed()});
}

std::vector<WriteResult> commitStaged(const std::vector<StagedFile>& files) {
    std::vector<WriteResult> results;
    if (files.empty()) {
        return results;
    }
    const QByteArray& folderPath = files.front().folder;
    const FileDescriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // One sync of the file system writes every temporary's data at once, where a sync per file
    // waits for the disk once per file. Nothing gets its name before it has succeeded.
    int failure = folder.get() < 0 ? errno : 0;
    if (failure == 0 && ::syncfs(folder.get()) != 0) {
        failure = errno;
    }
    int renamed = 0;
    for (const StagedFile& f : files) {
        int e = failure;
        if (e == 0) {
            e = f.unnamed ? nameUnnamed(*f.unnamed, folder.get(), f.name)
                          : (::renameat(folder.get(), f.temporary.constData(), folder.get(),
                                        f.name.constData()) == 0
                                 ? 0
                                 : errno);
        }
        if (e != 0 && !f.unnamed) {
            ::unlink((folderPath + '/' + f.temporary).constData());
        }
        results.push_back(e == 0 ? WriteResult::success() : systemFailure(e));
        renamed += e == 0 ? 1 : 0;
    }
    // One sync of the folder makes all the renames durable.
    if (renamed > 0) {
        if (const int e = syncChecked(folder.get()); e != 0) {
            for (WriteResult& r : results) {
                if (r.ok) {
                    r = systemFailure(e);
                }
            }
        }
    }
    return results;
}

}  // namespace strikon
