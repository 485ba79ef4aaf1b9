#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/CrashDump.h"
#include "platform/vidide/Dispatcher.h"

// A crashing process leaves Exception/<yyyy_MM_dd_hh_mm_ss>.dmp behind.
class TestCrashDump : public QObject
{
    Q_OBJECT

private slots:
    void dumpTime_data();
    void dumpTime();
    void dumpTimeMatchesCalendar();
    void crashWritesDump_data();
    void crashWritesDump();
    void noDumpWithoutFilter();
};

void TestCrashDump::dumpTime_data()
{
    QTest::addColumn<qlonglong>("secs");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("expected");
    QTest::newRow("epoch") << 0LL << 0 << "1970_01_01_00_00_00";
    QTest::newRow("leap day 2000") << 951782400LL << 0 << "2000_02_29_00_00_00";
    QTest::newRow("end of 2099") << 4102444799LL << 0 << "2099_12_31_23_59_59";
    QTest::newRow("east of UTC") << 1700000000LL << 3600 << "2023_11_14_23_13_20";
    QTest::newRow("west over midnight") << 1700000000LL << -23 * 3600 << "2023_11_13_23_13_20";
    QTest::newRow("before 1970") << -1LL << 0 << "1969_12_31_23_59_59";
}

void TestCrashDump::dumpTime()
{
    QFETCH(qlonglong, secs);
    QFETCH(int, offset);
    QFETCH(QString, expected);
    char out[20];
    FormatDumpTime(secs, offset, out);
    QCOMPARE(QString::fromLatin1(out), expected);
}

void TestCrashDump::dumpTimeMatchesCalendar()
{
    for (qint64 secs = 0; secs < 5000000000LL; secs += 7777777) {
        for (int offset : {-36000, 0, 19800, 50400}) {
            char out[20];
            FormatDumpTime(secs, offset, out);
            const QString expected = QDateTime::fromSecsSinceEpoch(secs, Qt::OffsetFromUTC, offset)
                                         .toString("yyyy_MM_dd_hh_mm_ss");
            QCOMPARE(QString::fromLatin1(out), expected);
        }
    }
}

void TestCrashDump::crashWritesDump_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("name");
    QTest::newRow("segmentation fault") << "segv" << int(SIGSEGV) << "SIGSEGV";
    QTest::newRow("abort") << "abort" << int(SIGABRT) << "SIGABRT";
    QTest::newRow("crash on another thread") << "thread" << int(SIGFPE) << "SIGFPE";
    QTest::newRow("stack overflow") << "overflow" << int(SIGSEGV) << "SIGSEGV";
    QTest::newRow("stack overflow on a prepared thread")
        << "thread-overflow" << int(SIGSEGV) << "SIGSEGV";
    QTest::newRow("stack overflow on the device library's thread")
        << "library-overflow" << int(SIGSEGV) << "SIGSEGV";
}

void TestCrashDump::crashWritesDump()
{
    QFETCH(QString, how);
    QFETCH(int, signal);
    QFETCH(QString, name);
#ifdef __SANITIZE_ADDRESS__
    // Stack overflows are the address sanitizer's to report there; the plain
    // build checks these rows.
    if (how.contains("overflow"))
        QSKIP("stack overflows are left to the address sanitizer");
#endif
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString folder = base.filePath("user/Exception"); // made by the handler

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--crash", folder, how});
    QVERIFY(child.waitForFinished(30000));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(child.exitCode(), signal); // the signal still ends the process

    const QStringList dumps = QDir(folder).entryList(QDir::Files);
    QCOMPARE(dumps.size(), 1);
    const QRegularExpressionMatch match =
        QRegularExpression("^(\\d{4}_\\d{2}_\\d{2}_\\d{2}_\\d{2}_\\d{2})\\.dmp$")
            .match(dumps.first());
    QVERIFY2(match.hasMatch(), qPrintable(dumps.first()));
    const QDateTime stamp = QDateTime::fromString(match.captured(1), "yyyy_MM_dd_hh_mm_ss");
    QVERIFY2(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after,
             qPrintable(match.captured(1)));

    QFile dump(QDir(folder).filePath(dumps.first()));
    QVERIFY(dump.open(QIODevice::ReadOnly));
    const QString text = QString::fromLocal8Bit(dump.readAll());
    QVERIFY2(text.contains(QString("signal: %1 (%2)").arg(signal).arg(name)), qPrintable(text));
    const int trace = text.indexOf("backtrace:\n");
    QVERIFY2(trace > 0, qPrintable(text));
    QVERIFY2(text.mid(trace).count('\n') >= 3, qPrintable(text)); // some frames
}

void TestCrashDump::noDumpWithoutFilter()
{
    QTemporaryDir base;
    QVERIFY(base.isValid());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {"--crash", base.filePath("Exception"), "segv", "--no-filter"});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QVERIFY(!QDir(base.filePath("Exception")).exists());
}

namespace {

volatile bool g_stopRecursion = false;

// Recurses until the stack is gone.
int overflowStack(int depth)
{
    volatile char frame[4096];
    frame[0] = char(depth);
    if (g_stopRecursion)
        return frame[0];
    return overflowStack(depth + 1) + frame[0];
}

void crashNow(const char *how)
{
    if (qstrcmp(how, "overflow") == 0)
        overflowStack(0);
    if (qstrcmp(how, "thread-overflow") == 0) {
        QThread *thread = QThread::create([] {
            PrepareThreadForCrashDumps();
            overflowStack(0);
        });
        thread->start();
        thread->wait();
    }
    if (qstrcmp(how, "library-overflow") == 0) {
        // The library's event thread, started before the handler is known to
        // it, runs the overflowing job as it would run the event callback.
        vidide::eventDispatcher().post(0, [] { overflowStack(0); });
        ::sleep(30);
    }
    if (qstrcmp(how, "abort") == 0)
        std::abort();
    if (qstrcmp(how, "thread") == 0) {
        QThread *thread = QThread::create([] { std::raise(SIGFPE); });
        thread->start();
        thread->wait();
    }
    std::raise(SIGSEGV);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--crash") == 0) {
        // No core file from the deliberate crash.
        struct rlimit none = {0, 0};
        setrlimit(RLIMIT_CORE, &none);
        if (qstrcmp(argv[3], "library-overflow") == 0)
            vidide::eventDispatcher(); // its thread runs before the handler exists
        if (argc < 5 && !InstallCrashDumpFilterIn(QString::fromLocal8Bit(argv[2])))
            return 3;
        crashNow(argv[3]);
        return 4;
    }
    QCoreApplication app(argc, argv);
    TestCrashDump test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashdump.moc"
