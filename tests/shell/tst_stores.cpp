#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "common/ConfigIniStore.h"
#include "common/MacroIniStore.h"
#include "platform/Registry.h"

// Config.ini, Macro.ini and the registry file.
class TestStores : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void configValue_data();
    void configValue();
    void configList_data();
    void configList();
    void configMissingFile();
    void damagedCatalogueIsNamed_data();
    void damagedCatalogueIsNamed();
    void themeColor_data();
    void themeColor();
    void configReadsFromTwoThreads();
    void macroIniReachesDiskAtOnce();
    void macroIniKeepsUtf8AndMissingKeys();
    void registryKeyPathsAndRemoval();
    void registryWritesFromAnotherThread();

private:
    QString writeConfig();
    QTemporaryDir m_dir;
};

// "MTIz" = "123"; "MSAyCg==" = "1 2\n"; "TTEwMA==" = "M100"; "QUJD" = "ABC".
static const char ConfigText[] = "[Option]\n"
                                 "CID=MSAyCg==\n"
                                 "VID=MTIz, QUJD\n"
                                 "DeviceTotal=2\n"
                                 "LabelColor=255,128,0\n"
                                 "ButtonColor=10,20\n"
                                 "SliderColor=300,0,0\n"
                                 "LinEditColor=a,b,c\n"
                                 "Plain=MTIz\n"
                                 "[Drive1]\n"
                                 "MID=0012\n"
                                 "MM=TTEwMA==\n"
                                 "Sensor=QUJD\n"
                                 "DPIGrade=400,800,1600\n"
                                 "sensor=QUJD\n"
                                 "[Drive2]\n"
                                 "Sensor=TTEwMA==\n"
                                 "Name=\"Mouse, wired\"\n";

void TestStores::init()
{
    QVERIFY(m_dir.isValid());
}

QString TestStores::writeConfig()
{
    const QString path = m_dir.filePath("Config.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(ConfigText);
    return path;
}

void TestStores::configValue_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("base64 decoded, blanks and line feeds gone") << "Option"
                                                                << "CID"
                                                                << "12";
    QTest::newRow("number as stored") << "Option"
                                      << "DeviceTotal"
                                      << "2";
    QTest::newRow("MID is no base64 key") << "Drive1"
                                          << "MID"
                                          << "0012";
    QTest::newRow("MM decoded") << "Drive1"
                                << "MM"
                                << "M100";
    QTest::newRow("Sensor decoded in Drive1") << "Drive1"
                                              << "Sensor"
                                              << "ABC";
    QTest::newRow("Sensor decoded in Drive2") << "Drive2"
                                              << "Sensor"
                                              << "M100";
    QTest::newRow("key names are case-sensitive") << "Drive1"
                                                  << "sensor"
                                                  << "QUJD";
    QTest::newRow("other keys stay encoded") << "Option"
                                             << "Plain"
                                             << "MTIz";
    QTest::newRow("list value reads as empty text") << "Option"
                                                    << "LabelColor"
                                                    << "";
    QTest::newRow("quoted comma is one value") << "Drive2"
                                               << "Name"
                                               << "Mouse, wired";
    QTest::newRow("missing key") << "Option"
                                 << "Transition"
                                 << "";
    QTest::newRow("missing group") << "Drive9"
                                   << "MID"
                                   << "";
}

void TestStores::configValue()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    ConfigIniStore store(writeConfig());
    QCOMPARE(store.GetValue(group, key), expected);
    QCOMPARE(store.GetValue(group, key).toInt(), expected.toInt());
}

void TestStores::configList_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("two base64 items in order") << "Option"
                                               << "VID" << QStringList{"123", "ABC"};
    QTest::newRow("colour") << "Option"
                            << "LabelColor" << QStringList{"255", "128", "0"};
    QTest::newRow("plain list") << "Drive1"
                                << "DPIGrade" << QStringList{"400", "800", "1600"};
    QTest::newRow("single base64 value") << "Drive1"
                                         << "Sensor" << QStringList{"ABC"};
    QTest::newRow("missing key") << "Option"
                                 << "KeyParam1" << QStringList();
    QTest::newRow("missing group") << "Drive7"
                                   << "KeyParam1" << QStringList();
}

void TestStores::configList()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QStringList, expected);
    ConfigIniStore store(writeConfig());
    QCOMPARE(store.GetValueList(group, key), expected);
}

void TestStores::configMissingFile()
{
    ConfigIniStore store(m_dir.filePath("absent/Config.ini"));
    QCOMPARE(store.GetValue("Option", "CID"), QString());
    QCOMPARE(store.GetValueList("Option", "VID"), QStringList());
    QVERIFY(!QFile::exists(m_dir.filePath("absent/Config.ini")));
}

void TestStores::damagedCatalogueIsNamed_data()
{
    QFile shipped(ORVAK_TEST_DATA "/../../data/usersetting/Config.ini");
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray sound = shipped.readAll();
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("problem");

    auto replaced = [&sound](const char *from, const char *to) {
        QByteArray text = sound;
        return text.replace(from, to);
    };
    QTest::newRow("shipped") << sound << QString();
    QTest::newRow("missing") << QByteArray() << "is missing";
    QTest::newRow("empty") << QByteArray("") << "Option/DeviceTotal";
    QTest::newRow("cut after the model count")
        << sound.left(sound.indexOf("DeviceTotal=2") + 14) << "Option/CID";
    QTest::newRow("customer id not Base64") << replaced("CID=Mzg=", "CID=M%g=") << "not Base64";
    QTest::newRow("no product id") << replaced("USB_PID=", "X_PID=")
                                          .replace("Wireless_PID=", "X1=")
                                          .replace("Wireless2_PID=", "X2=")
                                          .replace("Wireless4_PID=", "X4=")
                                          .replace("Wireless8_PID=", "X8=")
                                   << "no product id";
    QTest::newRow("a model group too few")
        << replaced("DeviceTotal=2", "DeviceTotal=3") << "Drive3/MID";
    QTest::newRow("binary") << QByteArray("\x7f\x45\x4c\x46\x02\x01\x01\x00\xff\xfe", 10)
                            << "not a valid INI file";
}

// A damaged catalogue makes the chooser say only "Please connect your gaming
// device": the log has to say what is wrong with the file.
void TestStores::damagedCatalogueIsNamed()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, problem);
    const QString path = m_dir.filePath("Damaged.ini");
    QFile::remove(path);
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    ConfigIniStore store(path);
    const QStringList problems = store.CatalogueProblems();
    if (problem.isEmpty()) {
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(store.LogCatalogueProblems(), 0);
        return;
    }
    QVERIFY2(problems.join('\n').contains(problem), qPrintable(problems.join('\n')));
    for (int i = 0; i < problems.size(); ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Device catalogue: "));
    QCOMPARE(store.LogCatalogueProblems(), problems.size());
}

void TestStores::themeColor_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("three items") << "LabelColor"
                                 << "255,128,0";
    QTest::newRow("two items") << "ButtonColor" << ConfigIniStore::DefaultColorText;
    QTest::newRow("out of range") << "SliderColor" << ConfigIniStore::DefaultColorText;
    QTest::newRow("not numbers") << "LinEditColor" << ConfigIniStore::DefaultColorText;
    QTest::newRow("missing") << "ComboxTextColor" << ConfigIniStore::DefaultColorText;
}

void TestStores::themeColor()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    ConfigIniStore store(writeConfig());
    QCOMPARE(store.GetColorText("Option", key), expected);
}

// The device event callback reads the store while the GUI thread does.
void TestStores::configReadsFromTwoThreads()
{
    ConfigIniStore store(writeConfig());
    std::atomic<int> wrong{0};
    QThread *reader = QThread::create([&] {
        for (int i = 0; i < 2000; ++i) {
            if (store.GetValue("Drive1", "Sensor") != "ABC" ||
                store.GetValueList("Option", "VID").size() != 2)
                ++wrong;
        }
    });
    reader->start();
    for (int i = 0; i < 2000; ++i) {
        if (store.GetValue("Option", "CID") != "12")
            ++wrong;
    }
    QVERIFY(reader->wait(60000));
    delete reader;
    QCOMPARE(wrong.load(), 0);
}

// The tray's exit ends the process with exit(0) and the store is never
// destroyed: a change has to be on disk when SetValue returns.
void TestStores::macroIniReachesDiskAtOnce()
{
    const QString path = m_dir.filePath("Macro.ini");
    auto *store = new MacroIniStore(path);
    QVERIFY(store->SetValue("Language", "Language", "0"));
    QVERIFY(store->SetValue("AutoStart", "Enable", "1"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.contains("[AutoStart]") && text.contains("Enable=1"), text.constData());
    QVERIFY2(text.contains("[Language]") && text.contains("Language=0"), text.constData());
    delete store;
}

void TestStores::macroIniKeepsUtf8AndMissingKeys()
{
    const QString path = m_dir.filePath("Utf8Macro.ini");
    {
        MacroIniStore store(path);
        QVERIFY(store.SetValue("FindNew", "IsShow", QString::fromUtf8("中文 ü")));
        QCOMPARE(store.GetValue("Language", "Language"), QString());
        QCOMPARE(store.GetValue("Nowhere", "Nothing"), QString());
    }
    MacroIniStore again(path);
    QCOMPARE(again.GetValue("FindNew", "IsShow"), QString::fromUtf8("中文 ü"));
}

void TestStores::registryKeyPathsAndRemoval()
{
    const QString path = m_dir.filePath("Registry.ini");
    Registry registry(path);
    const QString versionName = "MouseVer" + QString("12") + "0012";
    QVERIFY(registry.setValue(Registry::mouseDriveTestKey(), versionName, "v1.0A"));
    QVERIFY(registry.setValue(Registry::productKey(), "LanguageIndex", 3));
    QCOMPARE(registry.value(Registry::mouseDriveTestKey(), versionName).toString(),
             QString("v1.0A"));
    QCOMPARE(registry.value(Registry::productKey(), "LanguageIndex").toInt(), 3);
    // Two key paths that differ in the last part do not share values.
    QVERIFY(!registry.contains(Registry::productKey(), versionName));

    QVERIFY(registry.remove(Registry::productKey(), "LanguageIndex"));
    QVERIFY(!registry.contains(Registry::productKey(), "LanguageIndex"));

    Registry reread(path);
    QCOMPARE(reread.value(Registry::mouseDriveTestKey(), versionName).toString(), QString("v1.0A"));
    QVERIFY(!reread.contains(Registry::productKey(), "LanguageIndex"));
    QCOMPARE(reread.value(Registry::productKey(), "LanguageIndex", 7).toInt(), 7);
}

// The device library's thread stores firmware versions while the GUI thread
// reads other values.
void TestStores::registryWritesFromAnotherThread()
{
    Registry registry(m_dir.filePath("Threaded.ini"));
    QThread *writer = QThread::create([&] {
        for (int i = 0; i < 200; ++i)
            registry.setValue(Registry::mouseDriveTestKey(), "MouseVer" + QString::number(i),
                              QString("v1.%1").arg(i));
    });
    writer->start();
    for (int i = 0; i < 200; ++i)
        registry.value(Registry::mouseDriveTestKey(), "MouseVer0");
    QVERIFY(writer->wait(60000));
    delete writer;
    Registry reread(m_dir.filePath("Threaded.ini"));
    for (int i = 0; i < 200; ++i)
        QCOMPARE(
            reread.value(Registry::mouseDriveTestKey(), "MouseVer" + QString::number(i)).toString(),
            QString("v1.%1").arg(i));
}

QTEST_GUILESS_MAIN(TestStores)
#include "tst_stores.moc"
