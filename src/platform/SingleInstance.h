#pragma once

#include <QString>

// One running instance per user. The guard is an exclusive flock() on a lock
// file in the per-user folder: the kernel drops it when the holder ends, also
// when it is killed or crashes, so a dead instance never blocks a new start.
// A second lock in the user's runtime folder keeps the guarantee when the
// per-user folder cannot be written (a read-only home, a full disk).
class SingleInstance
{
public:
    // `lockPath` defaults to <user>/ORVAK.lock, `runtimeLockPath` to the
    // runtime folder's lock of this per-user folder; an empty one is not used.
    explicit SingleInstance(const QString &lockPath = defaultLockPath(),
                            const QString &runtimeLockPath = defaultRuntimeLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    enum class Result
    {
        Acquired,       // this process is the one instance; the lock is held until it ends
        AlreadyRunning, // another process holds the lock
        Unavailable     // neither lock file can be used; run anyway (no detection)
    };

    // Tries to take the locks once; later calls return the first result.
    Result acquire();

    static QString defaultLockPath();
    // <runtime>/ORVAK-<digest of the per-user folder>.lock, where <runtime> is
    // runtimeFolder(). Empty when there is no such folder.
    static QString defaultRuntimeLockPath();
    // $XDG_RUNTIME_DIR when it is a private folder of this user, else a private
    // folder of this user's own under the temp folder or, without a usable
    // one, inside the per-user folder (RuntimeFolder.h); empty when none can
    // be had.
    static QString runtimeFolder();
    // A session without $XDG_RUNTIME_DIR (a root shell, xvfb-run) gets the
    // private folder as its runtime folder, so that Qt does not warn about the
    // missing variable and the lock, Qt and the simulation's socket agree.
    static void publishRuntimeFolder();

private:
    Result lock(const QString &path, int &fd);

    QString m_lockPath;
    QString m_runtimeLockPath;
    int m_fd = -1;
    int m_runtimeFd = -1;
    bool m_tried = false;
    Result m_result = Result::Unavailable;
};
