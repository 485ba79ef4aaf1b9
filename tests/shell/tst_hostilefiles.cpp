// Something hostile in place of a per-user file: a link out of the folder, a
// FIFO, a link to a device. Every reader of the program returns at once and
// sets it aside as damaged; every writer writes a regular file in the folder
// and nothing outside it; and the program itself starts to its window.
#include "../support/HostileDisk.h"
#include "../support/HostileFiles.h"

#include "app/Startup.h"
#include "buttons/MacroBinding.h"
#include "buttons/MacroSyncLedger.h"
#include "common/DialogSeam.h"
#include "common/MacroIniStore.h"
#include "device/FlashDataStore.h"
#include "model/MacroEventFile.h"
#include "model/MacroFiles.h"
#include "platform/Registry.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace HostileFiles;

namespace {

enum class Kept
{
    DeviceMemory, // DeviceSim/State.json
    Preferences,  // Macro.ini
    Records,      // Registry.ini
    DeviceCache,  // Device_Info/Device_CID26_MID0C.bin
    MacroFile,    // usersetting/MacroPage/alpha.ini
    MacroSync,    // usersetting/MainPage/MacroSync.ini
    DeviceSet     // the file named by ORVAK_SIM_DEVICES (kept elsewhere)
};

// A reader and a writer of one file, as the program runs them.
struct Case
{
    QString path;
    std::function<void()> read;
    std::function<bool()> write; // empty: the program never writes it
};

QString LedgerPath()
{
    return UserFolder::filePath("usersetting/MainPage/MacroSync.ini");
}

Case CaseOf(Kept kept, const QString &outside)
{
    switch (kept) {
    case Kept::DeviceMemory:
        return {SimStateFile(), [] { SimReset(); },
                [] { return SimSetBootMode(1, false) && SimWaitIdle(5000); }};
    case Kept::Preferences: {
        const QString path = UserFolder::filePath("Macro.ini");
        return {path,
                [path] {
                    Startup::prepareUserFolder();
                    MacroIniStore(path).GetValue("Language", "Language");
                },
                [path] { return MacroIniStore(path).SetValue("Language", "Language", "1"); }};
    }
    case Kept::Records: {
        const QString path = UserFolder::filePath("Registry.ini");
        return {path, [path] { Registry(path).value(Registry::productKey(), "LanguageIndex"); },
                [path] { return Registry(path).setValue(Registry::productKey(), "Index", 1); }};
    }
    case Kept::DeviceCache:
        return {CacheFilePath(CacheFileName(38, 12)),
                [] {
                    FlashDataMap block;
                    ReadFlashDataCache(CacheFileName(38, 12), block);
                },
                [] {
                    FlashDataMap block;
                    std::memset(&block, 7, sizeof(block));
                    return WriteFlashDataCacheFile(CacheFileName(38, 12), block);
                }};
    case Kept::MacroFile:
        return {MacroFilePath("alpha"),
                [] {
                    MacroRecord record;
                    MacroBinding::LoadRecord("alpha", &record);
                    MacroBinding::ReadRepeatCode("alpha");
                    MacroSyncLedger(LedgerPath()).decide("alpha", "digest");
                    MacroEventFile::Content content;
                    MacroEventFile::ReadFile(MacroFilePath("alpha"), &content);
                },
                [] { return WriteMacroFile("alpha", "1"); }};
    case Kept::MacroSync:
        // A macro file of the name makes the ledger look at its record.
        return {LedgerPath(),
                [] {
                    WriteMacroFile("beta", "1");
                    MacroSyncLedger(LedgerPath()).decide("beta", "digest");
                },
                [] {
                    return MacroSyncLedger(LedgerPath())
                        .recordSynced("beta", "digest", MacroSyncLedger::Change::Bound);
                }};
    case Kept::DeviceSet: {
        const QString path = outside + "/devices.json";
        return {path,
                [path] {
                    qputenv("ORVAK_SIM_DEVICES", QFile::encodeName(path));
                    SimReset();
                    qunsetenv("ORVAK_SIM_DEVICES");
                },
                nullptr};
    }
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Kept)

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void nothingHangsAndNothingLeavesTheFolder_data();
    void nothingHangsAndNothingLeavesTheFolder();
    void programStartsPastEveryFifo();

private:
    QTemporaryDir m_outside;
};

void TestHostileFiles::init()
{
    QVERIFY(m_outside.isValid());
    QDir(UserFolder::path()).removeRecursively();
    Startup::prepareUserFolder();
    QVERIFY(QDir().mkpath(UserFolder::filePath("usersetting/MainPage")));
    QVERIFY(QDir().mkpath(UserFolder::filePath("DeviceSim")));
    QVERIFY(QDir(m_outside.path()).removeRecursively());
    QVERIFY(QDir().mkpath(m_outside.path()));
    SimReset(true);
}

void TestHostileFiles::nothingHangsAndNothingLeavesTheFolder_data()
{
    QTest::addColumn<Kept>("kept");
    QTest::addColumn<Thing>("thing");
    const QList<QPair<const char *, Kept>> files = {
        {"State.json", Kept::DeviceMemory},    {"Macro.ini", Kept::Preferences},
        {"Registry.ini", Kept::Records},       {"device cache", Kept::DeviceCache},
        {"macro file", Kept::MacroFile},       {"MacroSync.ini", Kept::MacroSync},
        {"ORVAK_SIM_DEVICES", Kept::DeviceSet}};
    const QList<QPair<const char *, Thing>> things = {{"FIFO", Thing::Fifo},
                                                      {"link to a file", Thing::LinkToFile},
                                                      {"dangling link", Thing::DanglingLink},
                                                      {"link to a device", Thing::LinkToDevice}};
    for (const auto &file : files) {
        for (const auto &thing : things)
            QTest::addRow("%s: %s", file.first, thing.first) << file.second << thing.second;
    }
    QTest::newRow("State.json: folder link") << Kept::DeviceMemory << Thing::FolderLink;
    QTest::newRow("device cache: folder link") << Kept::DeviceCache << Thing::FolderLink;
    QTest::newRow("macro file: folder link") << Kept::MacroFile << Thing::FolderLink;
}

void TestHostileFiles::nothingHangsAndNothingLeavesTheFolder()
{
    QFETCH(Kept, kept);
    QFETCH(Thing, thing);
    const QString outside = m_outside.path();
    const Case file = CaseOf(kept, outside);
    if (!Make(thing, file.path, outside))
        QSKIP("this machine does not allow it (a device node needs root)");
    const mode_t type = TypeAt(file.path);
    const QStringList outsideBefore = Entries(outside);
    const bool inFolder = thing != Thing::FolderLink && kept != Kept::DeviceSet;
    // A refused write is told with a notice: answered, not waited on.
    DialogSeam::ScopedAnswer answer("NewHong");

    HostileDisk::WithinSeconds(20, "the reader", file.read);
    if (inFolder) {
        // Set aside as damaged: the next write makes a fresh file. The start
        // makes sure that Macro.ini exists, so it makes one at once.
        QCOMPARE(TypeAt(file.path), kept == Kept::Preferences ? mode_t(S_IFREG) : mode_t(0));
        QCOMPARE(TypeAt(file.path + ".bad"), type);
    } else {
        QCOMPARE(TypeAt(file.path), type);
    }
    if (kept == Kept::DeviceSet)
        QCOMPARE(SimDeviceCount(), 2); // the built-in set

    if (file.write) {
        bool written = false;
        HostileDisk::WithinSeconds(20, "the writer", [&] { written = file.write(); });
        if (thing == Thing::FolderLink) {
            // No file of the per-user folder is made through the link.
            if (kept != Kept::DeviceMemory)
                QVERIFY(!written);
        } else {
            QVERIFY(written);
            QCOMPARE(TypeAt(file.path), mode_t(S_IFREG));
            QVERIFY(!Bytes(file.path).isEmpty() || kept == Kept::DeviceCache);
        }
    }
    QCOMPARE(Entries(outside), outsideBefore);
    if (thing == Thing::LinkToFile)
        QCOMPARE(Bytes(outside + "/victim.txt"), QByteArray("the user's own text"));
    if (thing == Thing::LinkToDevice)
        QCOMPARE(TypeAt(outside + "/zero"), mode_t(S_IFCHR));
}

// The built program with a FIFO in place of every file it reads before its
// window, and as its device set: its event loop runs and answers orvak-sim.
void TestHostileFiles::programStartsPastEveryFifo()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString data = root.filePath("data");
    const QString user = data + "/ORVAK";
    for (const char *folder : {"DeviceSim", "Device_Info", "usersetting/MainPage",
                               "usersetting/MacroPage", "usersetting/SensorPage"})
        QVERIFY(QDir().mkpath(user + "/" + folder));
    const QStringList fifos = {user + "/DeviceSim/State.json",
                               user + "/Macro.ini",
                               user + "/Registry.ini",
                               user + "/Device_Info/Device_CID26_MID0C.bin",
                               user + "/Device_Info/Device_CID26_MID01.bin",
                               user + "/usersetting/MainPage/MacroSync.ini",
                               user + "/usersetting/MacroPage/alpha.ini",
                               user + "/usersetting/SensorPage/Level.ini",
                               root.filePath("devices.json")};
    for (const QString &fifo : fifos)
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(QDir().mkpath(root.filePath("run")));
    QVERIFY(QFile::setPermissions(root.filePath("run"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", root.filePath("home"));
    environment.insert("XDG_DATA_HOME", data);
    environment.insert("XDG_CONFIG_HOME", root.filePath("config"));
    environment.insert("XDG_RUNTIME_DIR", root.filePath("run"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("ORVAK_SIM_DEVICES", root.filePath("devices.json"));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(ORVAK_EXECUTABLE, QStringList());
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    QString answer;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000 && !answer.contains("device=1")) {
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(QCoreApplication::applicationDirPath() + "/orvak-sim", {"list"});
        tool.waitForFinished(15000);
        answer = QString::fromUtf8(tool.readAllStandardOutput());
        if (program.state() != QProcess::Running)
            break;
    }
    program.kill();
    program.waitForFinished(10000);
    QVERIFY2(answer.contains("device=0") && answer.contains("device=1"),
             qPrintable("orvak-sim list: " + answer));
    // Each FIFO the program met is kept beside as damaged, none remains; the
    // macro lists, built with the window, met the macro file's.
    const QStringList met = fifos.mid(0, 3) << fifos.at(6);
    for (const QString &fifo : met)
        QCOMPARE(TypeAt(fifo + ".bad"), mode_t(S_IFIFO));
    // The start makes sure the preferences file exists: a fresh one stands
    // in place of the FIFO.
    QCOMPARE(TypeAt(user + "/Macro.ini"), mode_t(S_IFREG));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestHostileFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostilefiles.moc"
