// Where the per-user files go: every writer of the program puts its file
// below $XDG_DATA_HOME/ORVAK, and nothing lands in the home folder itself
// (no ~/AppData on Linux).
#include "app/Startup.h"
#include "common/MacroIniStore.h"
#include "device/FlashDataStore.h"
#include "model/MacroFiles.h"
#include "platform/CrashDump.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"
#include "settings/UpgradeRecords.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

class TestUserFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFileBelowDataHome();

private:
    QStringList filesBelow(const QString &folder) const;
    QTemporaryDir m_root;
};

void TestUserFiles::initTestCase()
{
    QVERIFY(m_root.isValid());
    QVERIFY(QDir().mkpath(m_root.filePath("home")));
    QVERIFY(QDir().mkpath(m_root.filePath("run")));
    QVERIFY(QFile::setPermissions(m_root.filePath("run"), QFileDevice::ReadOwner |
                                                              QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner));
    qputenv("HOME", QFile::encodeName(m_root.filePath("home")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_root.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.filePath("config")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_root.filePath("run")));
    QCOMPARE(UserFolder::path(), m_root.filePath("data/ORVAK"));
}

QStringList TestUserFiles::filesBelow(const QString &folder) const
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

void TestUserFiles::everyFileBelowDataHome()
{
    Startup::prepareUserFolder();
    SingleInstance guard;
    QCOMPARE(guard.acquire(), SingleInstance::Result::Acquired);
    QVERIFY(MacroIniStore::GetInstance()->SetValue("Language", "Language", "0"));
    QVERIFY(Registry::instance()->setValue(Registry::productKey(), "LanguageIndex", 0));
    QVERIFY(WriteMacroFile("Saved", "1\n"));
    QVERIFY(WriteFlashDataCacheFile(CacheFileName(38, 12), FlashDataMap{}));
    QVERIFY(UpgradeRecords::touchMarkerFile());
    SimReset(true);
    QVERIFY(SimPressDpiButton(1)); // the mouse keeps its new DPI level
    QVERIFY(SimWaitIdle(5000));

    // A crash of the program, in a child that installs the program's filter.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--crash"});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    QStringList files = filesBelow(m_root.filePath("data/ORVAK"));
    const QStringList dumps = files.filter(QRegularExpression("^Exception/.*\\.dmp$"));
    QCOMPARE(dumps.size(), 1);
    files.removeAll(dumps.first());
    QCOMPARE(files, (QStringList{"DeviceSim/State.json", "Device_Info/Device_CID26_MID0C.bin",
                                 "Exception/UpDateLog.txt", "Macro.ini", "ORVAK.lock",
                                 "Registry.ini", "usersetting/MacroPage/Saved.ini"}));
    QCOMPARE(filesBelow(m_root.filePath("home")), QStringList());
    QVERIFY(!QFileInfo::exists(m_root.filePath("home/AppData")));
}

int main(int argc, char **argv)
{
    if (argc >= 2 && qstrcmp(argv[1], "--crash") == 0) {
        // No core file from the deliberate crash.
        struct rlimit none = {0, 0};
        setrlimit(RLIMIT_CORE, &none);
        InstallCrashDumpFilter();
        std::raise(SIGSEGV);
        return 4;
    }
    QApplication app(argc, argv);
    TestUserFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_userfiles.moc"
