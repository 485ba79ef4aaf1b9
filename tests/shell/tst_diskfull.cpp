// A full disk while the program saves: every writer the program has, run as
// the program runs it, leaves its old file byte for byte and the user is
// told. The disk fails through the file layer's seam everywhere, and, where
// the machine allows a file system of our own, by really being full.
#include "../support/HostileDisk.h"
#include "../support/HostileFiles.h"
#include "../support/WarningTexts.h"

#include "app/Startup.h"
#include "buttons/MacroSyncLedger.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/MacroIniStore.h"
#include "common/StorageNotice.h"
#include "device/FlashDataStore.h"
#include "device/ProfileFile.h"
#include "model/MacroFiles.h"
#include "platform/AutoStart.h"
#include "platform/UserFolder.h"
#include "platform/files/SafeFile.h"
#include "platform/vidide/SimControl.h"
#include "settings/UpgradeRecords.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <cstring>
#include <functional>

using namespace HostileFiles;

namespace {

bool g_ownDisk = false;

enum class Writer
{
    Preferences,
    Records,
    MacroSync,
    DeviceCache,
    MacroFile,
    ProfileExport,
    DeviceMemory,
    Autostart
};

enum class Failure
{
    NothingFits,
    PartFits,
    DiskFull
};

// One writer as the program calls it: the file it keeps, a change (each
// generation writes other bytes) and the notice that tells of a failure
// (empty: its caller tells, covered with the page that calls it).
struct Case
{
    QString path;
    std::function<bool(int generation)> write;
    QString notice;
    bool reportsResult = true;
};

QString LedgerPath()
{
    return UserFolder::filePath("usersetting/MainPage/MacroSync.ini");
}

Case CaseOf(Writer writer)
{
    switch (writer) {
    case Writer::Preferences:
        return {UserFolder::filePath("Macro.ini"),
                [](int g) {
                    return MacroIniStore::GetInstance()->SetValue("Language", "Language",
                                                                  QString::number(g));
                },
                "SavePreferencesFailed"};
    case Writer::Records:
        return {UserFolder::filePath("Registry.ini"),
                [](int g) {
                    return UpgradeRecords::writeMouseVersion("38", "12", QString("v1.0%1").arg(g));
                },
                "SaveRecordsFailed"};
    case Writer::MacroSync:
        return {LedgerPath(),
                [](int g) {
                    return MacroSyncLedger(LedgerPath())
                        .recordSynced("alpha", QByteArray::number(g).repeated(40),
                                      MacroSyncLedger::Change::Bound);
                },
                "MacroSyncBoundFailed"};
    case Writer::DeviceCache:
        return {CacheFilePath(CacheFileName(38, 12)),
                [](int g) {
                    FlashDataMap block;
                    std::memset(&block, g, sizeof(block));
                    return WriteFlashDataCacheFile(CacheFileName(38, 12), block);
                },
                "SaveCacheFailed"};
    case Writer::MacroFile:
        return {MacroFilePath("alpha"),
                [](int g) { return WriteMacroFile("alpha", QString::number(g)); }, QString()};
    case Writer::ProfileExport:
        return {QDir::homePath() + "/profile.bin",
                [](int g) {
                    FlashDataMap block;
                    std::memset(&block, g, sizeof(block));
                    return ProfileFile::Write(QDir::homePath() + "/profile.bin", block, "3327");
                },
                QString()};
    case Writer::DeviceMemory:
        // The memory of the mice is saved inside the device library; the
        // result of the change is the device's, the failure is told apart.
        return {SimStateFile(), [](int g) { return SimSetBootMode(1, g % 2 == 1); },
                "SaveDeviceMemoryFailed", false};
    case Writer::Autostart:
        return {AutoStart::entryPath(),
                [](int g) { return AutoStart::setEnabled(true, QString("/opt/orvak%1").arg(g)); },
                QString()};
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Writer)
Q_DECLARE_METATYPE(Failure)

class TestDiskFull : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void oldFileStaysAndFailureIsShown_data();
    void oldFileStaysAndFailureIsShown();
};

void TestDiskFull::initTestCase()
{
    LabelCatalogue::load();
    Startup::prepareUserFolder();
    QVERIFY(QDir().mkpath(UserFolder::filePath("usersetting/MainPage")));
    Startup::showDeviceMemoryFailures();
    SimReset(true);
    QVERIFY(WriteMacroFile("alpha", "3\n0x04 1 0\n10ms\n0x04 1 1"));
}

void TestDiskFull::init()
{
    StorageNotice::ResetShown();
}

void TestDiskFull::cleanup()
{
    SafeFile::failWritesAfter(-1);
    QFile::remove(QDir::homePath() + "/filler");
}

void TestDiskFull::oldFileStaysAndFailureIsShown_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<Failure>("failure");
    const QList<QPair<const char *, Writer>> writers = {
        {"Macro.ini", Writer::Preferences},
        {"Registry.ini", Writer::Records},
        {"MacroSync.ini", Writer::MacroSync},
        {"device cache", Writer::DeviceCache},
        {"macro file", Writer::MacroFile},
        {"profile export", Writer::ProfileExport},
        {"DeviceSim/State.json", Writer::DeviceMemory},
        {"autostart entry", Writer::Autostart}};
    for (const auto &writer : writers) {
        QTest::addRow("%s, nothing fits", writer.first) << writer.second << Failure::NothingFits;
        QTest::addRow("%s, part fits", writer.first) << writer.second << Failure::PartFits;
        QTest::addRow("%s, disk full", writer.first) << writer.second << Failure::DiskFull;
    }
}

void TestDiskFull::oldFileStaysAndFailureIsShown()
{
    QFETCH(Writer, writer);
    QFETCH(Failure, failure);
    if (failure == Failure::DiskFull && !g_ownDisk)
        QSKIP("no file system of our own can be mounted here (needs root)");
    const Case kept = CaseOf(writer);
    QVERIFY(kept.write(1));
    SimWaitIdle(5000);
    const QByteArray old = Bytes(kept.path);
    QVERIFY(!old.isEmpty());

    DialogSeam::ScopedAnswer answer("NewHong");
    switch (failure) {
    case Failure::NothingFits:
        SafeFile::failWritesAfter(0);
        break;
    case Failure::PartFits:
        SafeFile::failWritesAfter(old.size() / 2);
        break;
    case Failure::DiskFull:
        QVERIFY(HostileDisk::Fill(QDir::homePath()));
        break;
    }
    const bool written = kept.write(2);
    SimWaitIdle(5000);
    cleanup();

    if (kept.reportsResult)
        QVERIFY(!written);
    QCOMPARE(Bytes(kept.path), old);
    // Nothing half-written is left beside it.
    const QFileInfo file(kept.path);
    QCOMPARE(file.dir().entryList({"." + file.fileName() + "*"}, QDir::Files | QDir::Hidden),
             QStringList());
    if (kept.notice.isEmpty())
        return;
    QTRY_COMPARE(WarningTexts(answer).size(), 1);
    const QString text = WarningTexts(answer).first();
    QVERIFY2(text.startsWith(CommonLabels[CurrentLanguage].value(kept.notice)), qPrintable(text));
    // The file's name fits the notice; its folder would not.
    QVERIFY2(text.endsWith("\n" + file.fileName()), qPrintable(text));
}

int main(int argc, char **argv)
{
    // Before any thread: the home folder (and the per-user folder below it)
    // on a file system of our own, where allowed.
    g_ownDisk = HostileDisk::MountPrivateTmpfs(QDir::homePath(), 16 * 1024 * 1024);
    QApplication app(argc, argv);
    TestDiskFull test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_diskfull.moc"
