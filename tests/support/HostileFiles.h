#pragma once

// What the tests of the file layer put where the program keeps a file, and
// how they look at what is there afterwards, without following links.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace HostileFiles {

inline QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void Put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// The type bits of what stands at path (0 when nothing does); links are not
// followed.
inline mode_t TypeAt(const QString &path)
{
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & S_IFMT;
}

inline QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

enum class Thing
{
    LinkToFile,
    DanglingLink,
    LinkToDevice,
    LinkToFifo,
    Fifo,
    Folder,
    Socket,
    Device,
    FolderLink // the file's folder is a link out of the per-user folder
};

// Makes `thing` at path, in place of what stood there; `outside` is a folder
// outside the per-user folder for what a link points to. False when the
// machine does not allow it (a device node needs root).
inline bool Make(Thing thing, const QString &path, const QString &outside)
{
    QFile::remove(path);
    const QByteArray name = QFile::encodeName(path);
    switch (thing) {
    case Thing::LinkToFile:
        Put(outside + "/victim.txt", "the user's own text");
        return QFile::link(outside + "/victim.txt", path);
    case Thing::DanglingLink:
        return QFile::link(outside + "/created.txt", path);
    case Thing::LinkToDevice:
        // A zero device of our own, so that a fault cannot harm /dev/zero.
        QFile::remove(outside + "/zero");
        return ::mknod(QFile::encodeName(outside + "/zero").constData(), S_IFCHR | 0666,
                       makedev(1, 5)) == 0 &&
               QFile::link(outside + "/zero", path);
    case Thing::LinkToFifo:
        QFile::remove(outside + "/pipe");
        return ::mkfifo(QFile::encodeName(outside + "/pipe").constData(), 0600) == 0 &&
               QFile::link(outside + "/pipe", path);
    case Thing::Fifo:
        return ::mkfifo(name.constData(), 0600) == 0;
    case Thing::Folder:
        return QDir().mkpath(path + "/inside");
    case Thing::Socket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (fd < 0 || name.size() >= int(sizeof(address.sun_path))) {
            if (fd >= 0)
                ::close(fd);
            return false;
        }
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
        ::close(fd);
        return bound;
    }
    case Thing::Device:
        return ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 5)) == 0;
    case Thing::FolderLink: {
        const QString folder = QFileInfo(path).absolutePath();
        return QDir(folder).removeRecursively() && QFile::link(outside, folder);
    }
    }
    return false;
}

} // namespace HostileFiles

Q_DECLARE_METATYPE(HostileFiles::Thing)
