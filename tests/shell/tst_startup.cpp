#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

#include "app/Startup.h"
#include "common/DialogSeam.h"
#include "platform/AutoStart.h"
#include "platform/ScreenMetrics.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolder.h"

// Start-up before the event loop: folders, Macro.ini, purge, scaling,
// single instance, autostart entry.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void earlierFolderIsAdopted();
    void foldersAndPreferences();
    void existingPreferencesKept();
    void purgeByAge_data();
    void purgeByAge();
    void purgeAtStartup();
    void scaleFactor_data();
    void scaleFactor();
    void scalingProbeBeforeApplication();
    void desktopWidthFromX11Server();
    void secondInstanceShowsNotice();
    void killedHolderLeavesNoLock();
    void unwritableUserFolderStillOneInstance();
    void autoStartEntry();

private:
    static bool touch(const QString &path, const QDateTime &modified);
    QTemporaryDir m_home;
};

bool TestStartup::touch(const QString &path, const QDateTime &modified)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write("x");
    // Written data reaching the file later would set the time anew.
    if (!file.flush())
        return false;
    return file.setFileTime(modified, QFileDevice::FileModificationTime);
}

void TestStartup::initTestCase()
{
    // Never the developer's own folders, even when run by hand.
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(".config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("data")));
    // The runtime folder's locks stay inside the test's own folder too.
    QVERIFY(QDir().mkpath(m_home.filePath("run")));
    QVERIFY(QFile::setPermissions(m_home.filePath("run"), QFileDevice::ReadOwner |
                                                              QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_home.filePath("run")));
    QCOMPARE(UserFolder::path(), m_home.path() + "/data/ORVAK");
}

// A user of an earlier version finds their macros and preferences again.
void TestStartup::earlierFolderIsAdopted()
{
    const QString earlier = m_home.filePath("AppData/Local/ORVAK");
    QVERIFY(QDir().mkpath(earlier + "/usersetting/MacroPage"));
    QVERIFY(touch(earlier + "/usersetting/MacroPage/mine.ini", QDateTime::currentDateTime()));
    QVERIFY(touch(earlier + "/Macro.ini", QDateTime::currentDateTime()));
    QVERIFY(!QFileInfo::exists(UserFolder::path()));
    Startup::prepareUserFolder();
    QVERIFY(QFileInfo(UserFolder::filePath("usersetting/MacroPage/mine.ini")).isFile());
    QCOMPARE(QFileInfo(UserFolder::filePath("Macro.ini")).size(), 1);
    QVERIFY(!QFileInfo::exists(earlier));
    // Once the folder is there, a folder of the old place is left alone.
    QVERIFY(QDir().mkpath(earlier));
    Startup::prepareUserFolder();
    QVERIFY(QFileInfo(earlier).isDir());
    QVERIFY(QDir(earlier).removeRecursively());
    QVERIFY(QDir(m_home.filePath("AppData")).removeRecursively());
    QVERIFY(QFile::remove(UserFolder::filePath("Macro.ini")));
}

void TestStartup::foldersAndPreferences()
{
    Startup::prepareUserFolder();
    for (const QString &sub :
         QStringList{"Log", "Device_Info", "Exception", "usersetting", "usersetting/MainPage",
                     "usersetting/MacroPage", "usersetting/SensorPage"})
        QVERIFY2(QFileInfo(UserFolder::filePath(sub)).isDir(), qPrintable(sub));
    const QFileInfo preferences(UserFolder::filePath("Macro.ini"));
    QVERIFY(preferences.isFile());
    QCOMPARE(preferences.size(), 0);
}

void TestStartup::existingPreferencesKept()
{
    Startup::prepareUserFolder();
    QFile file(UserFolder::filePath("Macro.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Language]\nLanguage=0\n");
    file.close();
    Startup::prepareUserFolder();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[Language]\nLanguage=0\n"));
}

void TestStartup::purgeByAge_data()
{
    QTest::addColumn<qint64>("ageSecs");
    QTest::addColumn<bool>("kept");
    const qint64 day = 86400;
    QTest::newRow("just written") << qint64(0) << true;
    QTest::newRow("7 days 23 hours") << 7 * day + 23 * 3600 << true;
    QTest::newRow("7 days 23:59:59") << 8 * day - 1 << true;
    QTest::newRow("8 days") << 8 * day << false;
    QTest::newRow("30 days") << 30 * day << false;
    QTest::newRow("dated in the future") << -2 * day << true;
}

void TestStartup::purgeByAge()
{
    QFETCH(qint64, ageSecs);
    QFETCH(bool, kept);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const qint64 now = 1700000000;
    const QString path = folder.filePath("file.txt");
    QVERIFY(touch(path, QDateTime::fromSecsSinceEpoch(now - ageSecs)));
    QCOMPARE(PurgeOldFiles(folder.path(), now), kept ? 0 : 1);
    QCOMPARE(QFile::exists(path), kept);
}

void TestStartup::purgeAtStartup()
{
    Startup::prepareUserFolder();
    const QDateTime old = QDateTime::currentDateTime().addDays(-9);
    const QDateTime recent = QDateTime::currentDateTime().addDays(-1);
    QStringList oldFiles, keptFiles;
    for (const QString &folder : QStringList{"Log", "Exception"}) {
        for (int i = 0; i < 3; ++i)
            oldFiles << UserFolder::filePath(QString("%1/old%2.dmp").arg(folder).arg(i));
        keptFiles << UserFolder::filePath(folder + "/recent.dmp")
                  << UserFolder::filePath(folder + "/.hidden");
        QVERIFY(QDir().mkpath(UserFolder::filePath(folder + "/sub")));
        keptFiles << UserFolder::filePath(folder + "/sub/old.dmp");
    }
    for (const QString &path : oldFiles)
        QVERIFY(touch(path, old));
    for (const QString &path : keptFiles)
        QVERIFY(touch(path, path.contains("recent") ? recent : old));
    const QString otherFolder = UserFolder::filePath("Device_Info/old.bin");
    QVERIFY(touch(otherFolder, old));

    Startup::purgeOldFiles();

    for (const QString &path : oldFiles)
        QVERIFY2(!QFile::exists(path), qPrintable(path));
    for (const QString &path : keptFiles)
        QVERIFY2(QFile::exists(path), qPrintable(path));
    QVERIFY(QFile::exists(otherFolder));
    QVERIFY(QFileInfo(UserFolder::filePath("Log/sub")).isDir());
}

void TestStartup::scaleFactor_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("factor");
    QTest::newRow("no screen") << 0 << QByteArray();
    QTest::newRow("1920") << 1920 << QByteArray();
    QTest::newRow("1921") << 1921 << QByteArray("1");
    QTest::newRow("2560") << 2560 << QByteArray("1");
    QTest::newRow("3839") << 3839 << QByteArray("1");
    QTest::newRow("3840") << 3840 << QByteArray("2");
    QTest::newRow("5760") << 5760 << QByteArray("3");
}

void TestStartup::scaleFactor()
{
    QFETCH(int, width);
    QFETCH(QByteArray, factor);
    QCOMPARE(ScreenMetrics::scaleFactorFor(width), factor);
}

// The width is asked of a short-lived application object before the real one
// is built; the real one must still come up afterwards.
void TestStartup::scalingProbeBeforeApplication()
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("QT_SCALE_FACTOR");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--scaling"});
    QVERIFY(child.waitForFinished(30000));
    const QByteArray output = child.readAllStandardOutput();
    QCOMPARE(child.exitCode(), 0);
    // The offscreen screen is 800 pixels wide: no factor.
    QVERIFY2(output.contains("width=800 factor= app=ok"), output.constData());
}

// On X11 the width is asked of the server before the application object
// exists; it must be the width Qt itself reports once it runs.
void TestStartup::desktopWidthFromX11Server()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X server (DISPLAY is not set)");
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--x11-width"});
    QVERIFY(child.waitForFinished(30000));
    const QList<QByteArray> widths = child.readAllStandardOutput().trimmed().split(' ');
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(widths.size(), 2);
    QVERIFY(widths.at(0).toInt() > 0);
    QCOMPARE(widths.at(0), widths.at(1));
}

void TestStartup::secondInstanceShowsNotice()
{
    const QString lockPath = m_home.filePath("second.lock");
    SingleInstance first(lockPath);
    QCOMPARE(first.acquire(), SingleInstance::Result::Acquired);
    QVERIFY(Startup::claimSingleInstance(first)); // asking again changes nothing

    SingleInstance second(lockPath);
    DialogSeam::ScopedAnswer answer("NewHong");
    QVERIFY(!Startup::claimSingleInstance(second));
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("ExeIsRun"));
}

// A killed instance must not keep every later start out.
void TestStartup::killedHolderLeavesNoLock()
{
    const QString lockPath = m_home.filePath("killed.lock");
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {"--hold-lock", lockPath});
    QVERIFY(holder.waitForStarted(10000));
    QByteArray output;
    while (!output.contains("locked") && holder.waitForReadyRead(20000))
        output += holder.readAllStandardOutput();
    QVERIFY2(output.contains("locked"), output.constData());
    QCOMPARE(holder.state(), QProcess::Running);

    {
        SingleInstance whileHeld(lockPath);
        QCOMPARE(whileHeld.acquire(), SingleInstance::Result::AlreadyRunning);
    }

    holder.kill(); // SIGKILL: no clean-up of any kind
    QVERIFY(holder.waitForFinished(10000));
    QVERIFY(QFile::exists(lockPath));

    SingleInstance afterKill(lockPath);
    QCOMPARE(afterKill.acquire(), SingleInstance::Result::Acquired);
    QVERIFY(Startup::claimSingleInstance(afterKill));
}

namespace {

// Starts an instance's guard in a child process whose home has a regular
// file where the per-user folder's parent should be, so that no lock file can
// be made there, as root too. Returns what the child printed first.
QByteArray startGuard(QProcess &child, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.insert("XDG_DATA_HOME", home + "/.local/share");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--guard"});
    if (!child.waitForStarted(10000))
        return QByteArray();
    QByteArray output;
    while (!output.contains('\n') && child.waitForReadyRead(20000))
        output += child.readAllStandardOutput();
    return output.trimmed();
}

} // namespace

void TestStartup::unwritableUserFolderStillOneInstance()
{
    const QString home = m_home.filePath("readonly-home");
    QVERIFY(QDir().mkpath(home));
    QVERIFY(touch(home + "/.local", QDateTime::currentDateTime()));

    QProcess first;
    QCOMPARE(startGuard(first, home), QByteArray("acquired"));
    QVERIFY(!QFile::exists(home + "/.local/share/ORVAK/ORVAK.lock"));

    QProcess second;
    QCOMPARE(startGuard(second, home), QByteArray("running"));
    QVERIFY(second.waitForFinished(10000));

    first.kill();
    QVERIFY(first.waitForFinished(10000));
    QProcess third;
    QCOMPARE(startGuard(third, home), QByteArray("acquired"));
    third.kill();
    QVERIFY(third.waitForFinished(10000));
}

void TestStartup::autoStartEntry()
{
    const QString path = AutoStart::entryPath();
    QCOMPARE(path, m_home.filePath(".config/autostart/ORVAK.desktop"));
    QVERIFY(!AutoStart::isEnabled());
    QVERIFY(AutoStart::setEnabled(false)); // nothing to remove

    QVERIFY(AutoStart::setEnabled(true, "/opt/my apps/50% \"ORVAK\"/ORVAK"));
    QVERIFY(AutoStart::isEnabled());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray entry = file.readAll();
    QVERIFY2(entry.startsWith("[Desktop Entry]\n"), entry.constData());
    QVERIFY2(entry.contains("\nType=Application\n"), entry.constData());
    QVERIFY2(entry.contains("\nExec=\"/opt/my apps/50%% \\\\\"ORVAK\\\\\"/ORVAK\"\n"),
             entry.constData());

    QVERIFY(AutoStart::setEnabled(false));
    QVERIFY(!AutoStart::isEnabled());
    QVERIFY(!QFile::exists(path));
}

int main(int argc, char **argv)
{
    // Child roles of the tests above.
    if (argc >= 3 && qstrcmp(argv[1], "--hold-lock") == 0) {
        SingleInstance guard(QString::fromLocal8Bit(argv[2]));
        if (guard.acquire() != SingleInstance::Result::Acquired)
            return 2;
        std::printf("locked\n");
        std::fflush(stdout);
        for (int i = 0; i < 600; ++i)
            ::sleep(1);
        return 0;
    }
    if (argc >= 2 && qstrcmp(argv[1], "--guard") == 0) {
        // The program's own guard, on the default lock files.
        SingleInstance guard;
        const SingleInstance::Result result = guard.acquire();
        std::printf("%s\n", result == SingleInstance::Result::Acquired         ? "acquired"
                            : result == SingleInstance::Result::AlreadyRunning ? "running"
                                                                               : "unavailable");
        std::fflush(stdout);
        for (int i = 0; result == SingleInstance::Result::Acquired && i < 600; ++i)
            ::sleep(1);
        return 0;
    }
    if (argc >= 2 && qstrcmp(argv[1], "--scaling") == 0) {
        int childArgc = 1;
        Startup::setScreenScaling(childArgc, argv);
        const int width = ScreenMetrics::desktopWidth(childArgc, argv);
        QApplication app(childArgc, argv);
        std::printf("width=%d factor=%s app=%s\n", width, qgetenv("QT_SCALE_FACTOR").constData(),
                    QGuiApplication::primaryScreen() ? "ok" : "no-screen");
        return 0;
    }

    if (argc >= 2 && qstrcmp(argv[1], "--x11-width") == 0) {
        int childArgc = 1;
        const int before = ScreenMetrics::desktopWidth(childArgc, argv);
        QGuiApplication app(childArgc, argv);
        std::printf("%d %d\n", before, ScreenMetrics::desktopWidth(childArgc, argv));
        return 0;
    }

    QApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
