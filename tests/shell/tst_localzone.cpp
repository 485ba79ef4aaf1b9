#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <ctime>

#include "platform/CrashDump.h"
#include "platform/LocalTimeZone.h"
#include "platform/UserFolder.h"

// The process-wide zone set at start: where the user set no TZ the program
// names the system's zone file, and every local time (crash-dump names, the
// purge of old files, file times) reads as it did without it.
class TestLocalZone : public QObject
{
    Q_OBJECT

    QByteArray m_savedZone;
    bool m_zoneWasSet = false;

    static void setZone(bool set, const QByteArray &zone)
    {
        if (set)
            qputenv("TZ", zone);
        else
            qunsetenv("TZ");
        tzset();
    }

    // The local time of `secs` as the C library gives it, in the crash
    // dumps' format.
    static QByteArray libcLocal(time_t secs)
    {
        struct tm local;
        char text[32];
        if (!localtime_r(&secs, &local) ||
            std::strftime(text, sizeof(text), "%Y_%m_%d_%H_%M_%S", &local) == 0)
            return QByteArray();
        return QByteArray(text);
    }

    static bool touch(const QString &path, qint64 secs)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("x") == 1 && file.flush() &&
               file.setFileTime(QDateTime::fromSecsSinceEpoch(secs),
                                QFileDevice::FileModificationTime);
    }

private slots:
    void initTestCase()
    {
        m_zoneWasSet = qEnvironmentVariableIsSet("TZ");
        m_savedZone = qgetenv("TZ");
    }

    void cleanup() { setZone(m_zoneWasSet, m_savedZone); }

    void localTimesUnchanged_data()
    {
        QTest::addColumn<bool>("zoneSet");
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QByteArray>("zoneAfter");
        QTest::newRow("no TZ: the system's zone file")
            << false << QByteArray() << QByteArray(":/etc/localtime");
        QTest::newRow("user's zone east of UTC")
            << true << QByteArray("XYZ-9") << QByteArray("XYZ-9");
        QTest::newRow("user's zone with daylight saving")
            << true << QByteArray("EST5EDT,M3.2.0,M11.1.0") << QByteArray("EST5EDT,M3.2.0,M11.1.0");
        QTest::newRow("user's empty TZ (UTC)") << true << QByteArray("") << QByteArray("");
    }

    void localTimesUnchanged()
    {
        QFETCH(bool, zoneSet);
        QFETCH(QByteArray, zone);
        QFETCH(QByteArray, zoneAfter);
        setZone(zoneSet, zone);
        // Winter and summer, and the moment itself.
        const QList<qint64> moments = {1700000000, 1690000000, QDateTime::currentSecsSinceEpoch()};
        QList<QByteArray> before;
        for (qint64 secs : moments)
            before << libcLocal(time_t(secs));

        QCOMPARE(QByteArray(LocalTimeZone::PinProcessZone()), zoneAfter);
        QCOMPARE(qgetenv("TZ"), zoneAfter);

        for (int i = 0; i < moments.size(); ++i) {
            QCOMPARE(libcLocal(time_t(moments.at(i))), before.at(i));
            QCOMPARE(QDateTime::fromSecsSinceEpoch(moments.at(i))
                         .toString(QStringLiteral("yyyy_MM_dd_hh_mm_ss"))
                         .toLatin1(),
                     before.at(i));
        }
        // A crash dump's name: the current time shifted by the offset taken
        // when the handler was installed.
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        char name[20];
        FormatDumpTime(now, QDateTime::fromSecsSinceEpoch(now).offsetFromUtc(), name);
        QCOMPARE(QByteArray(name), libcLocal(time_t(now)));

        // The purge counts whole days of real time, whatever the zone.
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const qint64 day = 86400;
        QVERIFY(touch(folder.filePath(QStringLiteral("old.dmp")), now - 8 * day - 60));
        QVERIFY(touch(folder.filePath(QStringLiteral("young.dmp")), now - 8 * day + 3600));
        QCOMPARE(PurgeOldFiles(folder.path()), 1);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("old.dmp"))));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("young.dmp"))));
    }

    // Pinning twice (a second start-up path) changes nothing.
    void pinningAgainKeepsZone()
    {
        setZone(false, QByteArray());
        const QByteArray first = LocalTimeZone::PinProcessZone();
        QCOMPARE(QByteArray(LocalTimeZone::PinProcessZone()), first);
    }
};

QTEST_GUILESS_MAIN(TestLocalZone)
#include "tst_localzone.moc"
