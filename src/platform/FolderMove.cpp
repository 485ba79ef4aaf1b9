#include "platform/FolderMove.h"

#include <QByteArray>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Logging.h"

namespace FolderMove {

namespace {

RenameFunction g_treeRename = nullptr;

// A per-user folder is not deeper than this; each level holds two descriptors.
constexpr int MaxDepth = 64;
// "<name> (earlier version)", then " (earlier version 2)" and so on.
constexpr int MaxClashNames = 100;
constexpr qint64 ChunkBytes = 64 * 1024;
// Copies of the tree being made; one left by a start that was killed is
// removed by the next move.
const char StagePrefix[] = ".ORVAK-moving-";

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now and reports whether the close succeeded (a late write error).
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// One move: the error of the step that failed, with the entry it was about.
struct Mover
{
    QString error;
    // The destination, to name a file of it to `replaceable`.
    QByteArray destination;
    Replaceable replaceable;
    QStringList *keptBeside = nullptr;

    bool fail(const QByteArray &what, const QByteArray &entry, int code)
    {
        error = QString::fromLocal8Bit(what) + QStringLiteral(" ") + QFile::decodeName(entry) +
                QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code));
        return false;
    }
    enum class Outcome
    {
        Placed, // put at the name given
        Done,   // nothing more to do: the same is there, or merged into it
        Clash,
        Failed
    };
    Outcome failed(const QByteArray &what, const QByteArray &entry, int code)
    {
        fail(what, entry, code);
        return Outcome::Failed;
    }

    bool copyTree(int from, int to, const QByteArray &where, int depth);
    bool copyFile(int from, int to, const QByteArray &name, const struct stat &info,
                  const QByteArray &where);
    bool place(int from, const QByteArray &name, int to, const QByteArray &where, int depth);
    bool putInPlace(int staged, const QByteArray &stage, const QByteArray &destination,
                    const QString &parent, bool exists);
    Outcome settle(int from, const QByteArray &name, int to, const QByteArray &target,
                   const QByteArray &where, int depth);
    bool mayReplace(const QByteArray &entry) const;
    bool sameEntry(int from, const QByteArray &name, int to, const QByteArray &target,
                   const struct stat &a, const struct stat &b, bool *same, const QByteArray &where);
};

int openFolder(int at, const char *name)
{
    return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Names in the folder, "." and ".." left out; false on a read error.
bool entries(int folder, QList<QByteArray> *names)
{
    const int copy = ::dup(folder);
    if (copy < 0)
        return false;
    DIR *dir = ::fdopendir(copy);
    if (!dir) {
        ::close(copy);
        return false;
    }
    ::rewinddir(dir);
    errno = 0;
    while (const struct dirent *entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names->append(QByteArray(entry->d_name));
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    errno = error;
    return error == 0;
}

bool readLink(int at, const QByteArray &name, QByteArray *target)
{
    char buffer[PATH_MAX + 1];
    const ssize_t length = ::readlinkat(at, name.constData(), buffer, sizeof(buffer));
    if (length < 0)
        return false;
    if (length >= ssize_t(sizeof(buffer))) {
        errno = ENAMETOOLONG;
        return false;
    }
    *target = QByteArray(buffer, int(length));
    return true;
}

bool writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Reads up to `size` bytes, fewer only at the end of the file; -1 on error.
qint64 readFull(int fd, char *data, qint64 size)
{
    qint64 total = 0;
    while (total < size) {
        const ssize_t got = ::read(fd, data + total, size_t(size - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

int openRegular(int at, const char *name)
{
    // Non-blocking: a FIFO put in a file's place must not stop the start.
    const int fd = ::openat(at, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Whether two regular files hold the same bytes; false when either cannot be read.
bool sameContents(int atA, const char *a, int atB, const char *b, bool *same)
{
    const Fd one(openRegular(atA, a));
    const Fd two(openRegular(atB, b));
    struct stat infoOne, infoTwo;
    if (!one.valid() || !two.valid() || ::fstat(one.get(), &infoOne) != 0 ||
        ::fstat(two.get(), &infoTwo) != 0)
        return false;
    *same = infoOne.st_size == infoTwo.st_size;
    QByteArray bufferOne(int(ChunkBytes), Qt::Uninitialized);
    QByteArray bufferTwo(int(ChunkBytes), Qt::Uninitialized);
    while (*same) {
        const qint64 gotOne = readFull(one.get(), bufferOne.data(), ChunkBytes);
        const qint64 gotTwo = readFull(two.get(), bufferTwo.data(), ChunkBytes);
        if (gotOne < 0 || gotTwo < 0)
            return false;
        *same = gotOne == gotTwo &&
                std::memcmp(bufferOne.constData(), bufferTwo.constData(), size_t(gotOne)) == 0;
        if (gotOne == 0)
            break;
    }
    return true;
}

QByteArray below(const QByteArray &where, const QByteArray &name)
{
    return where.isEmpty() ? name : where + '/' + name;
}

QByteArray clashName(const QByteArray &name, int n)
{
    const int dot = name.lastIndexOf('.');
    const QByteArray stem = dot > 0 ? name.left(dot) : name;
    const QByteArray extension = dot > 0 ? name.mid(dot) : QByteArray();
    const QByteArray mark = n == 1 ? QByteArray(" (earlier version)")
                                   : " (earlier version " + QByteArray::number(n) + ')';
    return stem + mark + extension;
}

// Renames without replacing anything; EEXIST when the target is there.
int renameNoReplace(int from, const char *name, int to, const char *target)
{
    if (::renameat2(from, name, to, target, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // A file system without the flag: check, then rename (single-user folder).
    struct stat info;
    if (::fstatat(to, target, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(from, name, to, target);
}

bool syncFolder(const QString &path)
{
    const Fd folder(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.valid() && ::fsync(folder.get()) == 0;
}

void removeLeftStages(const QString &folder)
{
    const QStringList left =
        QDir(folder).entryList({QLatin1String(StagePrefix) + '*'},
                               QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString &name : left) {
        qCInfo(lcApp).noquote() << "Removing the unfinished copy" << folder + '/' + name;
        QDir(folder + '/' + name).removeRecursively();
    }
}

} // namespace

bool Mover::copyFile(int from, int to, const QByteArray &name, const struct stat &info,
                     const QByteArray &where)
{
    const QByteArray entry = below(where, name);
    const Fd in(openRegular(from, name.constData()));
    struct stat opened;
    if (!in.valid() || ::fstat(in.get(), &opened) != 0)
        return fail("cannot read", entry, errno);
    if (opened.st_dev != info.st_dev || opened.st_ino != info.st_ino)
        return fail("changed while moving:", entry, EAGAIN);
    Fd out(
        ::openat(to, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.valid())
        return fail("cannot create the copy of", entry, errno);
    QByteArray buffer(int(ChunkBytes), Qt::Uninitialized);
    for (;;) {
        const qint64 got = readFull(in.get(), buffer.data(), ChunkBytes);
        if (got < 0)
            return fail("cannot read", entry, errno);
        if (got == 0)
            break;
        if (!writeAll(out.get(), buffer.constData(), got))
            return fail("cannot write the copy of", entry, errno);
    }
    if (::fchmod(out.get(), info.st_mode & 0777) != 0)
        return fail("cannot set the permissions of the copy of", entry, errno);
    // The age of a file decides when the purge of old logs and dumps takes it.
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    if (::futimens(out.get(), times) != 0)
        qWarning().noquote() << "Cannot keep the date of" << QFile::decodeName(entry);
    // On the disk before the original goes, and a failed flush is seen here.
    if (::fsync(out.get()) != 0 || !out.close())
        return fail("cannot write the copy of", entry, errno);
    bool same = false;
    if (!sameContents(from, name.constData(), to, name.constData(), &same))
        return fail("cannot read back the copy of", entry, errno);
    if (!same || opened.st_size != info.st_size)
        return fail("the copy differs from", entry, EIO);
    return true;
}

bool Mover::copyTree(int from, int to, const QByteArray &where, int depth)
{
    if (depth > MaxDepth)
        return fail("too deep:", where, ELOOP);
    QList<QByteArray> names;
    if (!entries(from, &names))
        return fail("cannot list", where.isEmpty() ? QByteArray(".") : where, errno);
    for (const QByteArray &name : names) {
        const QByteArray entry = below(where, name);
        struct stat info;
        if (::fstatat(from, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return fail("cannot examine", entry, errno);
        if (S_ISDIR(info.st_mode)) {
            if (::mkdirat(to, name.constData(), 0700) != 0)
                return fail("cannot make the copy of", entry, errno);
            const Fd source(openFolder(from, name.constData()));
            const Fd copy(openFolder(to, name.constData()));
            if (!source.valid() || !copy.valid())
                return fail("cannot open", entry, errno);
            if (!copyTree(source.get(), copy.get(), entry, depth + 1))
                return false;
            // The owner keeps the right to change it, or it could not be removed.
            if (::fchmod(copy.get(), (info.st_mode & 0777) | 0700) != 0 || ::fsync(copy.get()) != 0)
                return fail("cannot finish the copy of", entry, errno);
        } else if (S_ISLNK(info.st_mode)) {
            // A link stays a link, pointing where it pointed: never followed.
            QByteArray target;
            QByteArray copied;
            if (!readLink(from, name, &target))
                return fail("cannot read the link", entry, errno);
            if (::symlinkat(target.constData(), to, name.constData()) != 0)
                return fail("cannot make the copy of the link", entry, errno);
            if (!readLink(to, name, &copied) || copied != target)
                return fail("the copy differs from the link", entry, EIO);
        } else if (S_ISREG(info.st_mode)) {
            if (!copyFile(from, to, name, info, where))
                return false;
        } else {
            qWarning().noquote() << "Not moved (neither file, folder nor link):"
                                 << QFile::decodeName(entry);
        }
    }
    return true;
}

bool Mover::sameEntry(int from, const QByteArray &name, int to, const QByteArray &target,
                      const struct stat &a, const struct stat &b, bool *same,
                      const QByteArray &where)
{
    *same = false;
    if (S_ISREG(a.st_mode) && S_ISREG(b.st_mode)) {
        if (!sameContents(from, name.constData(), to, target.constData(), same))
            return fail("cannot compare", below(where, target), errno);
    } else if (S_ISLNK(a.st_mode) && S_ISLNK(b.st_mode)) {
        QByteArray one, two;
        if (!readLink(from, name, &one) || !readLink(to, target, &two))
            return fail("cannot read the link", below(where, target), errno);
        *same = one == two;
    }
    return true;
}

Mover::Outcome Mover::settle(int from, const QByteArray &name, int to, const QByteArray &target,
                             const QByteArray &where, int depth)
{
    const QByteArray entry = below(where, target);
    struct stat source, present;
    if (::fstatat(from, name.constData(), &source, AT_SYMLINK_NOFOLLOW) != 0)
        return failed("cannot examine", below(where, name), errno);
    if (::fstatat(to, target.constData(), &present, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            return failed("cannot examine", entry, errno);
        if (renameNoReplace(from, name.constData(), to, target.constData()) == 0)
            return Outcome::Placed;
        if (errno == EEXIST)
            return Outcome::Clash; // came meanwhile: never replaced
        return failed("cannot put in place", entry, errno);
    }
    if (S_ISDIR(source.st_mode) && S_ISDIR(present.st_mode)) {
        const Fd inner(openFolder(from, name.constData()));
        const Fd there(openFolder(to, target.constData()));
        QList<QByteArray> names;
        if (!inner.valid() || !there.valid() || !entries(inner.get(), &names))
            return failed("cannot open", entry, errno);
        for (const QByteArray &child : names) {
            if (!place(inner.get(), child, there.get(), entry, depth + 1))
                return Outcome::Failed;
        }
        if (::fsync(there.get()) != 0)
            return failed("cannot finish", entry, errno);
        return Outcome::Done;
    }
    if (S_ISREG(source.st_mode) && S_ISREG(present.st_mode)) {
        // An empty file holds nothing to lose: the one with contents stays.
        // (A start that could not move the folder leaves an empty Macro.ini.)
        if (source.st_size == 0)
            return Outcome::Done;
        bool same = false;
        if (!sameEntry(from, name, to, target, source, present, &same, where))
            return Outcome::Failed;
        if (same)
            return Outcome::Done;
        // What a start makes by itself holds nothing to lose either; the
        // earlier version's file (a failure record, the devices' memory)
        // must not be hidden behind it.
        if (present.st_size == 0 || (target == name && mayReplace(entry))) {
            if (::renameat(from, name.constData(), to, target.constData()) != 0)
                return failed("cannot put in place", entry, errno);
            return Outcome::Done;
        }
        return Outcome::Clash;
    }
    bool same = false;
    if (!sameEntry(from, name, to, target, source, present, &same, where))
        return Outcome::Failed;
    return same ? Outcome::Done : Outcome::Clash;
}

bool Mover::mayReplace(const QByteArray &entry) const
{
    return replaceable &&
           replaceable(QFile::decodeName(entry), QFile::decodeName(destination + '/' + entry));
}

bool Mover::place(int from, const QByteArray &name, int to, const QByteArray &where, int depth)
{
    if (depth > MaxDepth)
        return fail("too deep:", where, ELOOP);
    Outcome outcome = settle(from, name, to, name, where, depth);
    int n = 0;
    while (outcome == Outcome::Clash && n < MaxClashNames) {
        ++n;
        outcome = settle(from, name, to, clashName(name, n), where, depth);
    }
    if (outcome == Outcome::Clash)
        return fail("no free name beside", below(where, name), EEXIST);
    if (outcome == Outcome::Placed && n > 0 && keptBeside)
        keptBeside->append(QFile::decodeName(below(where, clashName(name, n))));
    return outcome != Outcome::Failed;
}

bool Mover::putInPlace(int staged, const QByteArray &stage, const QByteArray &destination,
                       const QString &parent, bool exists)
{
    if (!exists) {
        if (::rename(stage.constData(), destination.constData()) == 0) {
            syncFolder(parent);
            return true;
        }
        if (errno != EEXIST && errno != ENOTEMPTY)
            return fail("cannot put in place", destination, errno);
        // Made meanwhile: it takes the copy in like any other.
    }
    const Fd target(::open(destination.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    QList<QByteArray> names;
    if (!target.valid() || !entries(staged, &names))
        return fail("cannot open", destination, errno);
    for (const QByteArray &name : names) {
        if (!place(staged, name, target.get(), QByteArray(), 0))
            return false;
    }
    if (::fsync(target.get()) != 0)
        return fail("cannot finish", destination, errno);
    return true;
}

bool move(const QString &from, const QString &to, QString *error, const Replaceable &replaceable,
          QStringList *keptBeside)
{
    Mover mover;
    const QByteArray source = QFile::encodeName(from);
    const QByteArray destination = QFile::encodeName(to);
    mover.destination = destination;
    mover.replaceable = replaceable;
    mover.keptBeside = keptBeside;
    // Held while moving: a second start at the same moment leaves it alone.
    const Fd sourceFolder(
        ::open(source.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat sourceInfo, present;
    if (!sourceFolder.valid() || ::fstat(sourceFolder.get(), &sourceInfo) != 0)
        mover.fail("cannot open", source, errno);
    else if (::flock(sourceFolder.get(), LOCK_EX | LOCK_NB) != 0)
        mover.fail("another start is moving", source, errno);
    if (!mover.error.isEmpty()) {
        *error = mover.error;
        return false;
    }
    const bool exists = ::stat(destination.constData(), &present) == 0;
    if (exists && !S_ISDIR(present.st_mode)) {
        *error = QStringLiteral("%1 is not a folder").arg(to);
        return false;
    }
    if (exists && present.st_dev == sourceInfo.st_dev && present.st_ino == sourceInfo.st_ino)
        return true; // one folder under two names: nothing to move
    const QString parent = QFileInfo(to).absolutePath();
    if (!QDir().mkpath(parent) || (QFileInfo(parent).canonicalFilePath() + '/')
                                      .startsWith(QFileInfo(from).canonicalFilePath() + '/')) {
        *error = QStringLiteral("cannot make %1 outside %2").arg(parent, from);
        return false;
    }
    removeLeftStages(parent);
    if (exists)
        removeLeftStages(to);
    if (!exists) {
        const RenameFunction rename = g_treeRename ? g_treeRename : ::rename;
        if (rename(source.constData(), destination.constData()) == 0) {
            syncFolder(parent);
            return true;
        }
        qCInfo(lcApp).noquote() << "Cannot rename" << from << "to" << to << "-"
                                << std::strerror(errno) << "- copying instead";
    }

    // The copy is made beside or inside the destination: on its file system,
    // so that putting it in place is a rename again.
    const QString stageFolder = exists ? to : parent;
    QByteArray stage = QFile::encodeName(stageFolder + '/' + QLatin1String(StagePrefix) +
                                         QStringLiteral("XXXXXX"));
    if (!::mkdtemp(stage.data())) {
        mover.fail("cannot make a folder in", QFile::encodeName(stageFolder), errno);
        *error = mover.error;
        return false;
    }
    bool done = false;
    {
        const Fd staged(::open(stage.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!staged.valid())
            mover.fail("cannot open", stage, errno);
        else if (mover.copyTree(sourceFolder.get(), staged.get(), QByteArray(), 0)) {
            if (::fsync(staged.get()) != 0)
                mover.fail("cannot finish", stage, errno);
            else
                done = mover.putInPlace(staged.get(), stage, destination, parent, exists);
        }
    }
    // What is left of the copy: duplicates, or all of it after a failure.
    const QString stagePath = QFile::decodeName(stage);
    if (QFileInfo::exists(stagePath) && !QDir(stagePath).removeRecursively())
        qWarning().noquote() << "Cannot remove the copy" << stagePath;
    if (!done) {
        *error = mover.error;
        return false;
    }
    if (!QDir(from).removeRecursively())
        qWarning().noquote() << "Moved" << from << "to" << to
                             << "but cannot remove all of the earlier folder";
    return true;
}

RenameFunction setTreeRename(RenameFunction rename)
{
    const RenameFunction before = g_treeRename;
    g_treeRename = rename;
    return before;
}

} // namespace FolderMove
