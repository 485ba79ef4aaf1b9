#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "app/ProgramIcon.h"
#include "app/ProgramMain.h"
#include "app/Startup.h"
#include "common/DialogSeam.h"
#include "common/MouseOffLine.h"
#include "platform/AutoStart.h"
#include "platform/RuntimeFolder.h"
#include "platform/ScreenMetrics.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControlSocket.h"

Q_DECLARE_METATYPE(ScreenMetrics::Screen)

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
    void userScaling_data();
    void userScaling();
    void scalingBeforeApplication_data();
    void scalingBeforeApplication();
    void programIconFound_data();
    void programIconFound();
    void windowsCarryTheProgramIcon();
    void secondInstanceShowsNotice();
    void killedHolderLeavesNoLock();
    void unwritableUserFolderStillOneInstance();
    void runtimeFolderNeverAtRoot_data();
    void runtimeFolderNeverAtRoot();
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
    QVERIFY(Startup::prepareUserFolder());
    QVERIFY(QFileInfo(UserFolder::filePath("usersetting/MacroPage/mine.ini")).isFile());
    QCOMPARE(QFileInfo(UserFolder::filePath("Macro.ini")).size(), 1);
    QVERIFY(!QFileInfo::exists(earlier));
    // A folder at the old place that comes back later (the earlier version
    // run once more) joins the folder there: its files are not left behind.
    QVERIFY(QDir().mkpath(earlier + "/usersetting/MacroPage"));
    QVERIFY(touch(earlier + "/usersetting/MacroPage/later.ini", QDateTime::currentDateTime()));
    QVERIFY(Startup::prepareUserFolder());
    QVERIFY(QFileInfo(UserFolder::filePath("usersetting/MacroPage/later.ini")).isFile());
    QVERIFY(QFileInfo(UserFolder::filePath("usersetting/MacroPage/mine.ini")).isFile());
    QVERIFY(!QFileInfo::exists(earlier));
    QVERIFY(QDir(m_home.filePath("AppData")).removeRecursively());
    QVERIFY(QFile::remove(UserFolder::filePath("usersetting/MacroPage/later.ini")));
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

namespace {

ScreenMetrics::Screen screenAt(int x, int width, int height, int panel = 40)
{
    return {QRect(x, 0, width, height), QRect(x, 0, width, height - panel)};
}

} // namespace

// The factor chosen for the main window on each layout of screens, the
// primary one first.
void TestStartup::scaleFactor_data()
{
    using Screens = QList<ScreenMetrics::Screen>;
    QTest::addColumn<Screens>("screens");
    QTest::addColumn<bool>("userScaling");
    QTest::addColumn<QByteArray>("factor");
    QTest::newRow("no screen") << Screens{} << false << QByteArray();
    QTest::newRow("one 1920 x 1080") << Screens{screenAt(0, 1920, 1080)} << false << QByteArray();
    QTest::newRow("one 1921 x 1080")
        << Screens{screenAt(0, 1921, 1080)} << false << QByteArray("1");
    QTest::newRow("one 2560 x 1440")
        << Screens{screenAt(0, 2560, 1440)} << false << QByteArray("1");
    QTest::newRow("one 3840 x 2160")
        << Screens{screenAt(0, 3840, 2160)} << false << QByteArray("2");
    // 2040 x 1400 would hang below the screen's edge.
    QTest::newRow("ultra-wide 3840 x 1080")
        << Screens{screenAt(0, 3840, 1080)} << false << QByteArray("1");
    QTest::newRow("5120 x 1440, window just fits")
        << Screens{screenAt(0, 5120, 1440)} << false << QByteArray("2");
    QTest::newRow("5120 x 1440, panel too high")
        << Screens{screenAt(0, 5120, 1440, 41)} << false << QByteArray("1");
    QTest::newRow("5760 x 3240") << Screens{screenAt(0, 5760, 3240)} << false << QByteArray("3");
    QTest::newRow("no available area known")
        << Screens{{QRect(0, 0, 3840, 2160), QRect()}} << false << QByteArray("2");
    // Screens beside the primary one do not widen it.
    QTest::newRow("two 1920 side by side")
        << Screens{screenAt(0, 1920, 1080), screenAt(1920, 1920, 1080)} << false << QByteArray();
    QTest::newRow("1920 primary beside a 3840")
        << Screens{screenAt(0, 1920, 1080), screenAt(1920, 3840, 2160)} << false << QByteArray();
    QTest::newRow("3840 primary beside a 1920")
        << Screens{screenAt(1920, 3840, 2160), screenAt(0, 1920, 1080)} << false << QByteArray("2");
    QTest::newRow("3840 x 2160, the user's scaling set")
        << Screens{screenAt(0, 3840, 2160)} << true << QByteArray();
}

void TestStartup::scaleFactor()
{
    QFETCH(QList<ScreenMetrics::Screen>, screens);
    QFETCH(bool, userScaling);
    QFETCH(QByteArray, factor);
    ScreenMetrics::Desktop desktop;
    desktop.screens = screens;
    desktop.userScaling = userScaling;
    QCOMPARE(ScreenMetrics::scaleFactorFor(desktop, QSize(1020, 700)), factor);
}

// Any of Qt's own scaling variables is the user's choice.
void TestStartup::userScaling_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<bool>("set");
    QTest::newRow("none") << QByteArray() << false;
    QTest::newRow("QT_SCALE_FACTOR") << QByteArray("QT_SCALE_FACTOR") << true;
    QTest::newRow("QT_SCREEN_SCALE_FACTORS") << QByteArray("QT_SCREEN_SCALE_FACTORS") << true;
    QTest::newRow("QT_AUTO_SCREEN_SCALE_FACTOR")
        << QByteArray("QT_AUTO_SCREEN_SCALE_FACTOR") << true;
}

void TestStartup::userScaling()
{
    QFETCH(QByteArray, variable);
    QFETCH(bool, set);
    const QByteArray names[] = {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                "QT_AUTO_SCREEN_SCALE_FACTOR"};
    QHash<QByteArray, QByteArray> kept;
    for (const QByteArray &name : names) {
        if (qEnvironmentVariableIsSet(name.constData()))
            kept.insert(name, qgetenv(name.constData()));
        qunsetenv(name.constData());
    }
    if (!variable.isEmpty())
        qputenv(variable.constData(), "1");
    const bool found = ScreenMetrics::userSetsScaling();
    for (const QByteArray &name : names) {
        if (kept.contains(name))
            qputenv(name.constData(), kept.value(name));
        else
            qunsetenv(name.constData());
    }
    QCOMPARE(found, set);
}

// Start-up in a child process, before its application object: the screens
// are asked of a short-lived one (offscreen: 800 pixels wide), or given; the
// real one still comes up afterwards, and a scaling of the user's stays.
void TestStartup::scalingBeforeApplication_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("factor");
    QTest::newRow("asked of the window system") << ""
                                                << ""
                                                << "" << QByteArray("");
    QTest::newRow("3840 x 2160") << "3840x2160"
                                 << ""
                                 << "" << QByteArray("2");
    QTest::newRow("the user's factor") << "3840x2160"
                                       << "QT_SCALE_FACTOR"
                                       << "1.5" << QByteArray("1.5");
    QTest::newRow("the user's factor of 1") << "3840x2160"
                                            << "QT_SCALE_FACTOR"
                                            << "1" << QByteArray("1");
    QTest::newRow("the user's factors per screen") << "3840x2160"
                                                   << "QT_SCREEN_SCALE_FACTORS"
                                                   << "1.25" << QByteArray("");
    QTest::newRow("the user's automatic scaling") << "3840x2160"
                                                  << "QT_AUTO_SCREEN_SCALE_FACTOR"
                                                  << "0" << QByteArray("");
}

void TestStartup::scalingBeforeApplication()
{
    QFETCH(QString, screen);
    QFETCH(QString, variable);
    QFETCH(QString, value);
    QFETCH(QByteArray, factor);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    for (const char *name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR"})
        environment.remove(name);
    if (!variable.isEmpty())
        environment.insert(variable, value);
    child.setProcessEnvironment(environment);
    QStringList arguments{"--scaling"};
    if (!screen.isEmpty())
        arguments << screen;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    QVERIFY(child.waitForFinished(30000));
    const QByteArray output = child.readAllStandardOutput();
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(output.contains("factor=" + factor + " app=ok"), output.constData());
}

namespace {

bool writeIcon(const QString &path, int side)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return image.save(path);
}

} // namespace

// Run from the build, the icon lies beside the program; installed into
// <prefix>/lib/orvak, it lies in the prefix's icon theme.
void TestStartup::programIconFound_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<int>>("sides");
    QTest::newRow("build tree") << QStringList{"lib/orvak/icons/48x48/orvak.png",
                                               "lib/orvak/icons/256x256/orvak.png"}
                                << QList<int>{48, 256};
    QTest::newRow("installed") << QStringList{"share/icons/hicolor/64x64/apps/orvak.png",
                                              "share/icons/hicolor/128x128/apps/orvak.png",
                                              "share/icons/hicolor/64x64/apps/other.png",
                                              "share/icons/hicolor/32x32/apps/other.png"}
                               << QList<int>{64, 128};
    QTest::newRow("beside the program first")
        << QStringList{"lib/orvak/icons/48x48/orvak.png",
                       "share/icons/hicolor/128x128/apps/orvak.png"}
        << QList<int>{48};
    QTest::newRow("a broken file beside the program")
        << QStringList{"lib/orvak/icons/48x48/orvak.png:broken",
                       "share/icons/hicolor/128x128/apps/orvak.png"}
        << QList<int>{128};
    QTest::newRow("none") << QStringList{} << QList<int>{};
}

void TestStartup::programIconFound()
{
    QFETCH(QStringList, files);
    QFETCH(QList<int>, sides);
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    QVERIFY(QDir().mkpath(prefix.filePath("lib/orvak")));
    for (QString file : files) {
        const bool broken = file.endsWith(":broken");
        file.remove(":broken");
        const QString path = prefix.filePath(file);
        if (broken) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("not a picture");
            continue;
        }
        // As large as its size folder says.
        const QRegularExpressionMatch size = QRegularExpression("/(\\d+)x\\d+/").match(file);
        QVERIFY(size.hasMatch());
        QVERIFY(writeIcon(path, size.captured(1).toInt()));
    }
    const QIcon icon = ProgramIcon::find(prefix.filePath("lib/orvak"));
    QList<int> found;
    for (const QSize &size : icon.availableSizes())
        found << size.width();
    std::sort(found.begin(), found.end());
    QCOMPARE(found, sides);
}

// Start-up gives every window the icon: the main window and the notices.
void TestStartup::windowsCarryTheProgramIcon()
{
    QStringList built;
    QDirIterator it(QCoreApplication::applicationDirPath() + "/icons", {"orvak.png"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        built << QString::number(QImage(it.next()).width());
    QVERIFY(!built.isEmpty());
    std::sort(built.begin(), built.end(),
              [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--program"});
    QVERIFY(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput();
    QCOMPARE(child.exitCode(), 0);
    const QString sides = built.join(',');
    QVERIFY2(output.contains(QString("window=%1 notice=%1").arg(sides).toUtf8()),
             qPrintable(QString::fromUtf8(output) + " expected " + sides));
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

void TestStartup::runtimeFolderNeverAtRoot_data()
{
    QTest::addColumn<QString>("tmpdir");
    QTest::addColumn<bool>("tempUsable");
    const QString home = m_home.path();
    QTest::newRow("TMPDIR names a missing folder") << home + "/missing" << false;
    QTest::newRow("TMPDIR is the root") << "/" << false;
    QTest::newRow("TMPDIR is a file") << home + "/data/ORVAK/Macro.ini" << false;
    QTest::newRow("TMPDIR usable") << home + "/tmp" << true;
}

// Without a session runtime folder the lock and the simulation's socket go
// to this user's own folder under the temp folder, or, without a usable temp
// folder, inside the per-user folder: never a folder made at the root. The
// program and the orvak-sim tool ask the same place, so they agree.
void TestStartup::runtimeFolderNeverAtRoot()
{
    QFETCH(QString, tmpdir);
    QFETCH(bool, tempUsable);
    Startup::prepareUserFolder();
    QVERIFY(QDir().mkpath(m_home.filePath("tmp")));
    const QString uid = QString::number(::getuid());
    const QString atRoot = "/ORVAK-" + uid;
    const bool wasAtRoot = QFileInfo::exists(atRoot);
    const QByteArray session = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(tmpdir));
    const QString folder = SingleInstance::runtimeFolder();
    QString error;
    const QString socket = SimControlSocketPath(&error);
    qunsetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", session);

    const bool madeAtRoot = !wasAtRoot && QFileInfo::exists(atRoot);
    if (madeAtRoot)
        QDir(atRoot).removeRecursively();
    QVERIFY(!madeAtRoot);
    QCOMPARE(folder,
             tempUsable ? m_home.filePath("tmp/ORVAK-" + uid) : UserFolder::filePath("Runtime"));
    QCOMPARE(QFileInfo(socket).absolutePath(), folder);
    struct stat info;
    QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
    QVERIFY(S_ISDIR(info.st_mode));
    QCOMPARE(int(info.st_mode & 0777), 0700);
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
    if (argc >= 2 && qstrcmp(argv[1], "--program") == 0) {
        int childArgc = 1;
        return RunProgram(childArgc, argv, [](QWidget *window) {
            MouseOffLine notice(nullptr);
            auto sides = [](const QIcon &icon) {
                QStringList list;
                for (const QSize &size : icon.availableSizes())
                    list << QString::number(size.width());
                std::sort(list.begin(), list.end(),
                          [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
                return list.join(',');
            };
            std::printf("window=%s notice=%s\n", qPrintable(sides(window->windowIcon())),
                        qPrintable(sides(notice.windowIcon())));
            std::fflush(stdout);
            return 0;
        });
    }
    if (argc >= 2 && qstrcmp(argv[1], "--scaling") == 0) {
        // A given screen size stands for the window system's answer.
        if (argc >= 3) {
            const QList<QByteArray> size = QByteArray(argv[2]).split('x');
            const QRect screen(0, 0, size.value(0).toInt(), size.value(1).toInt());
            ScreenMetrics::setOverride(0, {{screen, screen}});
        }
        int childArgc = 1;
        Startup::setScreenScaling(childArgc, argv);
        QApplication app(childArgc, argv);
        std::printf("factor=%s app=%s\n", qgetenv("QT_SCALE_FACTOR").constData(),
                    QGuiApplication::primaryScreen() ? "ok" : "no-screen");
        return 0;
    }

    QApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
