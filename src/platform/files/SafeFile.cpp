#include "platform/files/SafeFile.h"

#include "platform/UserFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <QtDebug>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeFile {
namespace {

std::atomic<qint64> g_writeBudget{-1};

QString errorText(int code)
{
    return qt_error_string(code);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString cleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString userRoot()
{
    return QDir::cleanPath(UserFolder::path());
}

// The folder that holds a file, open, and the file's name in it.
class Folder
{
public:
    Folder() = default;
    ~Folder()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    // Opens the folder of path. Below the per-user folder every folder of
    // the path is opened without following a link; elsewhere (a file the
    // user chose, the program's own data) links are the user's and are
    // followed, except at the file itself.
    Status open(const QString &path, QString *error)
    {
        const QString absolute = cleanAbsolute(path);
        const QString root = userRoot();
        QStringList parts;
        QString start;
        if (absolute.startsWith(root + QLatin1Char('/'))) {
            start = root;
            parts = absolute.mid(root.size() + 1).split(QLatin1Char('/'));
        } else {
            const int slash = absolute.lastIndexOf(QLatin1Char('/'));
            start = slash > 0 ? absolute.left(slash) : QStringLiteral("/");
            parts << absolute.mid(slash + 1);
        }
        name = QFile::encodeName(parts.takeLast());
        if (name.isEmpty() || name == "." || name == "..") {
            setError(error, QStringLiteral("%1 names no file").arg(path));
            return Status::Failed;
        }
        fd = ::open(QFile::encodeName(start).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return openFailed(AT_FDCWD, start, error);
        for (const QString &part : qAsConst(parts)) {
            const int next = ::openat(fd, QFile::encodeName(part).constData(),
                                      O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (next < 0)
                return openFailed(fd, part, error);
            ::close(fd);
            fd = next;
        }
        return Status::Ok;
    }

    int fd = -1;
    QByteArray name;

private:
    // Missing when the folder is not there (or something else stands in its
    // place: no file can be below it); NotRegular when it is a link that is
    // not followed.
    static Status openFailed(int parent, const QString &folder, QString *error)
    {
        const int code = errno;
        struct stat info;
        if ((code == ENOTDIR || code == ELOOP) &&
            ::fstatat(parent, QFile::encodeName(folder).constData(), &info, AT_SYMLINK_NOFOLLOW) ==
                0 &&
            S_ISLNK(info.st_mode)) {
            setError(error, QStringLiteral("the folder %1 is a link").arg(folder));
            return Status::NotRegular;
        }
        if (code == ENOENT || code == ENOTDIR) {
            setError(error, QStringLiteral("the folder %1 does not exist").arg(folder));
            return Status::Missing;
        }
        setError(error,
                 QStringLiteral("the folder %1 cannot be opened: %2").arg(folder, errorText(code)));
        return Status::Failed;
    }
};

bool setAsideIn(const Folder &folder, const QString &path, QString *error)
{
    const QByteArray kept = folder.name + ".bad";
    if (::renameat(folder.fd, folder.name.constData(), folder.fd, kept.constData()) == 0) {
        qWarning().noquote() << "Not a regular file, or damaged:" << path << "- kept as"
                             << path + QStringLiteral(".bad");
        return true;
    }
    const int code = errno;
    if (code == ENOENT)
        return true;
    setError(error, QStringLiteral("%1 cannot be set aside: %2").arg(path, errorText(code)));
    qWarning().noquote() << "Not a regular file, or damaged:" << path
                         << "- cannot be set aside:" << errorText(code);
    return false;
}

// Takes up to `wanted` bytes from the test seam's budget; all of them when
// the seam is off.
qint64 allowedBytes(qint64 wanted)
{
    qint64 budget = g_writeBudget.load();
    for (;;) {
        if (budget < 0)
            return wanted;
        const qint64 take = qMin(budget, wanted);
        if (g_writeBudget.compare_exchange_weak(budget, budget - take))
            return take;
    }
}

bool writeAll(int fd, const QByteArray &bytes, QString *error)
{
    const char *at = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const qint64 allowed = allowedBytes(left);
        ssize_t written = -1;
        if (allowed == 0)
            errno = ENOSPC;
        else
            written = ::write(fd, at, size_t(allowed));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            setError(error, errorText(errno));
            return false;
        }
        at += written;
        left -= written;
    }
    return true;
}

QByteArray temporaryName(const QByteArray &name)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    // Hidden, so that no folder listing takes it for one of the user's files.
    QByteArray temporary = "." + name.left(200) + ".";
    for (int i = 0; i < 8; ++i)
        temporary += letters[QRandomGenerator::global()->bounded(int(sizeof(letters) - 1))];
    return temporary;
}

// Reads the file just opened as fd (-1 with errno when the open failed)
// whole, at most maxBytes of it, when it is a regular file; otherwise
// returns what notRegular() says.
template <typename NotRegular>
Status readOpened(int fd, qint64 maxBytes, QByteArray *out, QString *error,
                  const NotRegular &notRegular)
{
    if (fd < 0) {
        if (errno == ENOENT)
            return Status::Missing;
        if (errno == ELOOP)
            return notRegular();
        setError(error, errorText(errno));
        return Status::Failed;
    }
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    // Swapped since it was looked at: what is open now is what counts.
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return notRegular();
    if (info.st_size > maxBytes) {
        setError(error, QStringLiteral("%1 bytes, more than the %2 it can hold")
                            .arg(info.st_size)
                            .arg(maxBytes));
        return Status::TooLarge;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    // The size is a first answer only: the file may grow while it is read.
    QByteArray data;
    qint64 used = 0;
    data.resize(int(qMin<qint64>(info.st_size, maxBytes) + 1));
    for (;;) {
        if (used == data.size()) {
            if (used > maxBytes)
                break;
            data.resize(int(qMin<qint64>(qMax<qint64>(used * 2, 4096), maxBytes + 1)));
        }
        const ssize_t got = ::read(fd, data.data() + used, size_t(data.size() - used));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            setError(error, errorText(errno));
            return Status::Failed;
        }
        if (got == 0)
            break;
        used += got;
    }
    if (used > maxBytes) {
        setError(error, QStringLiteral("more than the %1 bytes it can hold").arg(maxBytes));
        return Status::TooLarge;
    }
    data.resize(int(used));
    *out = data;
    return Status::Ok;
}

} // namespace

bool inUserFolder(const QString &path)
{
    return cleanAbsolute(path).startsWith(userRoot() + QLatin1Char('/'));
}

Status probe(const QString &path)
{
    Folder folder;
    const Status opened = folder.open(path, nullptr);
    if (opened != Status::Ok)
        return opened;
    struct stat info;
    if (::fstatat(folder.fd, folder.name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Status::Missing : Status::Failed;
    return S_ISREG(info.st_mode) ? Status::Ok : Status::NotRegular;
}

Status read(const QString &path, qint64 maxBytes, QByteArray *out, QString *error)
{
    out->clear();
    Folder folder;
    const Status opened = folder.open(path, error);
    if (opened != Status::Ok)
        return opened;
    auto notRegular = [&] {
        setError(error, QStringLiteral("%1 is not a regular file").arg(path));
        if (inUserFolder(path))
            setAsideIn(folder, path, nullptr);
        return Status::NotRegular;
    };
    // Looked at before it is opened: opening a device or FIFO can wait or
    // act on it.
    struct stat info;
    if (::fstatat(folder.fd, folder.name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return Status::Missing;
        setError(error, errorText(errno));
        return Status::Failed;
    }
    if (!S_ISREG(info.st_mode))
        return notRegular();
    const int fd = ::openat(folder.fd, folder.name.constData(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    // ELOOP: a link put there since it was looked at.
    return readOpened(fd, maxBytes, out, error, notRegular);
}

Status readChosen(const QString &path, qint64 maxBytes, QByteArray *out, QString *error)
{
    out->clear();
    const QByteArray name = QFile::encodeName(path);
    auto notRegular = [&] {
        setError(error, QStringLiteral("%1 is not a regular file").arg(path));
        return Status::NotRegular;
    };
    // Looked at through its links before it is opened: opening a device or
    // FIFO can wait or act on it. Nothing the user chose is ever set aside.
    struct stat info;
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Status::Missing;
        setError(error, errorText(errno));
        return Status::Failed;
    }
    if (!S_ISREG(info.st_mode))
        return notRegular();
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    return readOpened(fd, maxBytes, out, error, notRegular);
}

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    Folder folder;
    if (folder.open(path, error) != Status::Ok)
        return false;
    struct stat info;
    mode_t keptMode = 0;
    bool replacing = false;
    if (::fstatat(folder.fd, folder.name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISREG(info.st_mode)) {
            replacing = true;
            keptMode = info.st_mode & 07777;
        } else if (!inUserFolder(path)) {
            // Not ours to set aside: a link, FIFO or device at a path the
            // user chose (an export) stays as it is, and so does what a
            // link names.
            setError(error, QStringLiteral("%1 is not a regular file").arg(path));
            return false;
        } else if (!setAsideIn(folder, path, error)) {
            return false;
        }
    }

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryName(folder.name);
        fd = ::openat(folder.fd, temporary.constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        setError(error, errorText(errno));
        return false;
    }
    auto fail = [&](const QString &reason) {
        setError(error, reason);
        ::unlinkat(folder.fd, temporary.constData(), 0);
        return false;
    };
    if (replacing)
        ::fchmod(fd, keptMode);
    QString reason;
    // Written, flushed to the disk and closed, each checked: a full disk may
    // only show at the flush or the close.
    if (!writeAll(fd, bytes, &reason)) {
        ::close(fd);
        return fail(reason);
    }
    if (::fsync(fd) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(errorText(code));
    }
    if (::close(fd) != 0)
        return fail(errorText(errno));
    if (::renameat(folder.fd, temporary.constData(), folder.fd, folder.name.constData()) != 0)
        return fail(errorText(errno));
    // The rename itself reaches the disk with the folder.
    ::fsync(folder.fd);
    return true;
}

bool writeChosen(const QString &path, const QByteArray &bytes, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    const bool exists = ::lstat(name.constData(), &info) == 0;
    if (!exists && errno != ENOENT && errno != ENOTDIR) {
        setError(error, errorText(errno));
        return false;
    }
    if (exists && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
        setError(error, QStringLiteral("%1 is not a regular file").arg(path));
        return false;
    }
    QString target;
    if (exists && S_ISLNK(info.st_mode)) {
        // A link the user chose stands for the file it leads to: that file
        // is replaced and the link stays. Looked at, never opened: a FIFO or
        // device there is refused, and a link that leads nowhere makes no
        // file.
        char *resolved = ::realpath(name.constData(), nullptr);
        if (!resolved) {
            setError(error, QStringLiteral("%1 is a link that leads to no file").arg(path));
            return false;
        }
        target = QFile::decodeName(resolved);
        ::free(resolved);
        if (::stat(QFile::encodeName(target).constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
            setError(
                error,
                QStringLiteral("%1 leads to %2, which is not a regular file").arg(path, target));
            return false;
        }
    } else {
        // Its folder may be reached through the user's links as well, also
        // below the per-user folder, whose own files never are.
        const QFileInfo file(path);
        char *folder = ::realpath(QFile::encodeName(file.absolutePath()).constData(), nullptr);
        if (!folder)
            return write(path, bytes, error); // no such folder: write() says so
        target = QFile::decodeName(folder) + QLatin1Char('/') + file.fileName();
        ::free(folder);
    }
    return write(target, bytes, error);
}

bool setAside(const QString &path, QString *error)
{
    Folder folder;
    const Status opened = folder.open(path, error);
    if (opened == Status::Missing)
        return true;
    if (opened != Status::Ok)
        return false;
    return setAsideIn(folder, path, error);
}

void failWritesAfter(qint64 bytes)
{
    g_writeBudget.store(bytes < 0 ? -1 : bytes);
}

} // namespace SafeFile
