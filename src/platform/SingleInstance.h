#pragma once

#include <QString>

// One running instance per user. The guard is an exclusive flock() on a lock
// file in the per-user folder: the kernel drops it when the holder ends, also
// when it is killed or crashes, so a dead instance never blocks a new start.
class SingleInstance
{
public:
    // `lockPath` defaults to <user>/ORVAK.lock.
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    enum class Result
    {
        Acquired,       // this process is the one instance; the lock is held until it ends
        AlreadyRunning, // another process holds the lock
        Unavailable     // the lock file cannot be used; run anyway (no detection)
    };

    // Tries to take the lock once; later calls return the first result.
    Result acquire();

    static QString defaultLockPath();

private:
    QString m_lockPath;
    int m_fd = -1;
    bool m_tried = false;
    Result m_result = Result::Unavailable;
};
