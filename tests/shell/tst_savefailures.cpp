// Saving with a per-user folder that cannot be written: every change is
// refused where the user made it, one notice per kind of file explains why,
// nothing reads back as saved and nothing on disk is lost. (A failed profile
// export is covered with the button page.)
#include "../support/WarningTexts.h"
#include "app/Startup.h"
#include "common/ConfigIniStore.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/MacroIniStore.h"
#include "common/StorageNotice.h"
#include "common/UpDateWarning.h"
#include "device/DialogChange.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "platform/AutoStart.h"
#include "platform/Registry.h"
#include "settings/FormSetting.h"
#include "settings/UpgradeRecords.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSaveFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void preferencesRefusedWithOneNotice();
    void languageNotChangedWhenNotStored();
    void cacheAndRecordsRefused();
    void noticeFromAnotherThread();
    void writableAgainWritesOnlyTheNewChange_data();
    void writableAgainWritesOnlyTheNewChange();
    void noticeNamesTheFileAndFits_data();
    void noticeNamesTheFileAndFits();
    void damagedCatalogueIsToldOnce();

private:
    QTemporaryDir m_base;
    QString m_home;
};

void TestSaveFailures::initTestCase()
{
    QVERIFY(m_base.isValid());
    // The per-user folder's parent is a regular file: no folder and no file
    // can be made below it, whoever runs the test.
    m_home = m_base.filePath("home");
    QVERIFY(QDir().mkpath(m_home));
    QFile blocker(m_home + "/.local");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    qputenv("HOME", QFile::encodeName(m_home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_base.filePath("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home + "/.local/share"));
    LabelCatalogue::load();
}

void TestSaveFailures::init()
{
    StorageNotice::ResetShown();
}

void TestSaveFailures::preferencesRefusedWithOneNotice()
{
    DialogSeam::ScopedAnswer answer("NewHong");
    FormSetting page;
    DialogChange chooser;
    auto *autostart = page.findChild<QCheckBox *>("checkBox");
    auto *noApear = chooser.findChild<QCheckBox *>("NoApear");
    QVERIFY(autostart && noApear);
    QVERIFY(!autostart->isChecked());
    QVERIFY(answer.dialogs().isEmpty());

    autostart->click();
    QVERIFY(!autostart->isChecked());
    QVERIFY(!AutoStart::isEnabled());
    QCOMPARE(WarningTexts(answer).size(), 1);
    QVERIFY2(WarningTexts(answer).first().contains("preferences"),
             qPrintable(WarningTexts(answer).first()));
    QVERIFY(WarningTexts(answer).first().contains("Macro.ini"));

    // The same folder fails again: refused again, no second notice.
    autostart->click();
    QVERIFY(!autostart->isChecked());
    noApear->click();
    QVERIFY(!noApear->isChecked());
    QCOMPARE(answer.dialogs().size(), 1);

    MacroIniStore *store = MacroIniStore::GetInstance();
    QCOMPARE(store->GetValue("AutoStart", "Enable"), QString());
    QCOMPARE(store->GetValue("FindNew", "IsShow"), QString());
    QVERIFY(QFileInfo(m_home + "/.local").isFile());
    QCOMPARE(Contents(m_home + "/.local"), QByteArray("not a folder"));
}

void TestSaveFailures::languageNotChangedWhenNotStored()
{
    DialogSeam::ScopedAnswer answer("NewHong");
    FormSetting page;
    DialogChange chooser;
    QVERIFY(answer.dialogs().isEmpty());
    QSignalSpy changed(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)));
    QVERIFY(QMetaObject::invokeMethod(&page, "on_comboBox_activated", Q_ARG(int, 1)));
    QVERIFY(QMetaObject::invokeMethod(&chooser, "on_comboBox_activated", Q_ARG(int, 1)));
    QCOMPARE(CurrentLanguage, 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(page.findChild<QComboBox *>("comboBox")->currentIndex(), 0);
    QCOMPARE(chooser.findChild<QComboBox *>("comboBox")->currentIndex(), 0);
    QCOMPARE(WarningTexts(answer).size(), 1);
    QCOMPARE(MacroIniStore::GetInstance()->GetValue("Language", "Language"), QString());
}

void TestSaveFailures::cacheAndRecordsRefused()
{
    DialogSeam::ScopedAnswer answer("NewHong");
    FlashDataMap block;
    std::memset(&block, 0, sizeof(block));
    const QString cache = CacheFileName(38, 12);
    QVERIFY(!WriteFlashDataCacheFile(cache, block));
    QVERIFY(!WriteFlashDataCacheFile(cache, block));
    QCOMPARE(WarningTexts(answer).size(), 1);
    QVERIFY(WarningTexts(answer).last().contains(cache));

    QVERIFY(!UpgradeRecords::writeMouseVersion("38", "12", "v1.05"));
    QVERIFY(!UpgradeRecords::writeFailInfo(1, 0, 38, 12));
    QCOMPARE(WarningTexts(answer).size(), 2);
    QVERIFY(WarningTexts(answer).last().contains("Registry.ini"));
    QCOMPARE(UpgradeRecords::mouseVersion("38", "12"), QString());
    QCOMPARE(UpgradeRecords::failInfo(), QString());
}

// The device library's thread records firmware versions: its failure is
// shown on the GUI thread.
void TestSaveFailures::noticeFromAnotherThread()
{
    DialogSeam::ScopedAnswer answer("NewHong");
    QThread *thread = QThread::create([] {
        StorageNotice::Report(StorageNotice::Kind::Registry, "Registry.ini", "from a thread");
    });
    thread->start();
    QVERIFY(thread->wait(10000));
    delete thread;
    QTRY_COMPARE(WarningTexts(answer).size(), 1);
}

void TestSaveFailures::writableAgainWritesOnlyTheNewChange_data()
{
    QTest::addColumn<bool>("registry");
    QTest::newRow("preferences") << false;
    QTest::newRow("registry") << true;
}

// A refused change is not read back and never reaches the file later; once
// the folder can be written again the next change is stored.
void TestSaveFailures::writableAgainWritesOnlyTheNewChange()
{
    QFETCH(bool, registry);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString blocker = dir.filePath("user");
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString path = blocker + "/store.ini";
    DialogSeam::ScopedAnswer answer("NewHong");
    std::unique_ptr<MacroIniStore> preferences;
    std::unique_ptr<Registry> records;
    if (registry)
        records.reset(new Registry(path));
    else
        preferences.reset(new MacroIniStore(path));
    auto write = [&](const QString &key, const QString &value) {
        return records ? records->setValue("A", key, value)
                       : preferences->SetValue("A", key, value);
    };
    auto read = [&](const QString &key) {
        return records ? records->value("A", key).toString() : preferences->GetValue("A", key);
    };

    QVERIFY(!write("B", "refused"));
    QCOMPARE(read("B"), QString());

    QVERIFY(QFile::remove(blocker));
    QVERIFY(QDir().mkpath(blocker));
    QVERIFY(write("C", "stored"));
    QCOMPARE(read("C"), QString("stored"));
    QCOMPARE(read("B"), QString());
    const QByteArray text = Contents(path);
    QVERIFY2(text.contains("C=stored") && !text.contains("refused"), text.constData());
}

void TestSaveFailures::noticeNamesTheFileAndFits_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::newRow("preferences") << int(StorageNotice::Kind::Preferences) << "Macro.ini";
    QTest::newRow("records") << int(StorageNotice::Kind::Registry) << "Registry.ini";
    QTest::newRow("cache") << int(StorageNotice::Kind::DeviceCache) << "Device_CID26_MID0C.bin";
    QTest::newRow("autostart") << int(StorageNotice::Kind::Autostart) << "ORVAK.desktop";
    QTest::newRow("macros") << int(StorageNotice::Kind::Macros) << "Macro with a name.ini";
    QTest::newRow("macro rebuilt, record not")
        << int(StorageNotice::Kind::MacroSyncRebuilt) << "MacroSync.ini";
    QTest::newRow("macro bound, record not")
        << int(StorageNotice::Kind::MacroSyncBound) << "MacroSync.ini";
    QTest::newRow("macro renamed, record not")
        << int(StorageNotice::Kind::MacroSyncRenamed) << "MacroSync.ini";
    QTest::newRow("macro sent, record not")
        << int(StorageNotice::Kind::MacroSyncSent) << "MacroSync.ini";
    QTest::newRow("macro waits, record not")
        << int(StorageNotice::Kind::MacroSyncPending) << "MacroSync.ini";
    QTest::newRow("macro folder a link") << int(StorageNotice::Kind::MacroFolder) << "MacroPage";
    QTest::newRow("device memory") << int(StorageNotice::Kind::DeviceMemory) << "State.json";
    QTest::newRow("catalogue") << int(StorageNotice::Kind::Catalogue) << "Config.ini";
}

// The notice is 300 x 140: its text names the file, not the folders above
// it, and fits the notice's label.
void TestSaveFailures::noticeNamesTheFileAndFits()
{
    QFETCH(int, kind);
    QFETCH(QString, file);
    const QString path = "/home/a-user-with-a-long-name/.local/share/ORVAK/usersetting/"
                         "MainPage/and/further/down/" +
                         file;
    DialogSeam::ScopedAnswer answer("NewHong");
    QVERIFY(StorageNotice::Report(StorageNotice::Kind(kind), path, "No space left on device"));
    QCOMPARE(WarningTexts(answer).size(), 1);
    const QString text = WarningTexts(answer).first();
    QVERIFY2(text.endsWith("\n" + file) && !text.contains("/"), qPrintable(text));

    UpDateWarning notice;
    notice.SetText(text);
    const QLabel *label = notice.findChild<QLabel *>("label");
    QVERIFY(label);
    const QRect needed = label->fontMetrics().boundingRect(
        QRect(0, 0, label->width(), 10000), int(label->alignment()) | Qt::TextWordWrap, text);
    QVERIFY2(
        needed.height() <= label->height(),
        qPrintable(QString("%1 px of %2: %3").arg(needed.height()).arg(label->height()).arg(text)));
}

// A damaged device list is told once, over the window, after the log.
void TestSaveFailures::damagedCatalogueIsToldOnce()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Config.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Option]\nDeviceTotal=2\n[Drive1\n");
    file.close();
    const ConfigIniStore store(path);
    DialogSeam::ScopedAnswer answer("NewHong");
    Startup::showDamagedCatalogue(&store);
    Startup::showDamagedCatalogue(&store);
    QVERIFY(WarningTexts(answer).isEmpty()); // not inside the caller
    QTRY_COMPARE(WarningTexts(answer).size(), 1);
    QTest::qWait(50);
    QCOMPARE(WarningTexts(answer).size(), 1);
    QCOMPARE(WarningTexts(answer).first(),
             CommonLabels[CurrentLanguage].value("ConfigDamaged") + "\nConfig.ini");
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestSaveFailures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savefailures.moc"
