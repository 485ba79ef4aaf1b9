#pragma once

// What the tests of the file layer put in the program's way: a file system
// that is full, and calls that would block for good.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <thread>
#include <unistd.h>

namespace HostileDisk {

// Mounts a tmpfs of `bytes` on `folder` in a mount namespace of this process
// alone (nothing outside sees it, and it goes with the process). Only where
// the machine allows it: as root, with mount namespaces. Call first thing in
// main(), before any thread exists. False when it is not allowed.
inline bool MountPrivateTmpfs(const QString &folder, qint64 bytes)
{
    if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0)
        return false;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return false;
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    return ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                   options.constData()) == 0;
}

// Fills the file system of `folder` until not one more byte fits, with the
// file `folder`/filler (removed to make room again). False when the file
// cannot be made.
inline bool Fill(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("/filler"));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    static char chunk[65536];
    for (size_t size = sizeof(chunk); size > 0; size /= 2) {
        while (::write(fd, chunk, size) > 0) {
        }
    }
    ::close(fd);
    return true;
}

// Runs call, and ends the whole test program with a failure when it has not
// returned within `seconds`: a call blocked on a FIFO cannot be taken back,
// and the test must fail rather than hang.
template <typename Call> void WithinSeconds(int seconds, const char *what, Call call)
{
    std::atomic<bool> done{false};
    std::thread watchdog([&done, seconds, what] {
        for (int tenth = 0; tenth < seconds * 10 && !done; ++tenth)
            ::usleep(100000);
        if (!done) {
            std::fprintf(stderr, "FAIL!  : %s did not return within %d s\n", what, seconds);
            std::fflush(stderr);
            std::_Exit(1);
        }
    });
    call();
    done = true;
    watchdog.join();
}

} // namespace HostileDisk
