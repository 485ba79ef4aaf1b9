// The screen dialog's thread object: once started it stays alive without
// using the processor, and a stop request ends it.
#include "settings/MyThread.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// The id of this process's thread named `name`; 0 when there is none.
qint64 ThreadId(const QByteArray &name)
{
    const QStringList tasks = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs);
    for (const QString &task : tasks) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name)
            return task.toLongLong();
    }
    return 0;
}

// How often the thread gave up the processor of its own accord: each wake-up
// of a waiting or sleeping thread counts one.
qint64 VoluntarySwitches(qint64 tid)
{
    QFile status(QStringLiteral("/proc/self/task/%1/status").arg(tid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("voluntary_ctxt_switches:"))
            return line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    }
    return -1;
}

} // namespace

class TstMyThread : public QObject
{
    Q_OBJECT

private slots:
    void waitsWithoutWakingUntilStopped()
    {
        MyThread thread;
        const QByteArray name = "mythread-test";
        thread.setObjectName(QString::fromLatin1(name));
        thread.start();
        qint64 tid = 0;
        QTRY_VERIFY((tid = ThreadId(name)) != 0);
        // Let it reach its wait.
        QTest::qWait(100);
        const qint64 before = VoluntarySwitches(tid);
        QVERIFY(before >= 0);
        QTest::qWait(600);
        const qint64 after = VoluntarySwitches(tid);
        // A loop that sleeps and looks again wakes a dozen times in this
        // window; a thread that waits for its stop request does not wake.
        QVERIFY2(after - before <= 1, qPrintable(QString::number(after - before)));
        QVERIFY(thread.isRunning());

        thread.stop();
        QVERIFY(thread.wait(5000));
    }

    void stopBeforeItRunsEndsItAtOnce()
    {
        MyThread thread;
        thread.stop();
        thread.start();
        QVERIFY(thread.wait(5000));
    }

    void destroyingARunningThreadEndsIt()
    {
        auto *thread = new MyThread;
        thread->start();
        QTRY_VERIFY(thread->isRunning());
        delete thread; // must not hang or leave the thread running
    }
};

QTEST_GUILESS_MAIN(TstMyThread)
#include "tst_mythread.moc"
