#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "common/LabelCatalogue.h"
#include "common/LabelCatalogueLoader.h"
#include "common/MacroIniStore.h"
#include "platform/Registry.h"

// The walk over en.json and Net.xml and the tables it fills.
class TestLabelCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void init() { LabelCatalogue::clear(); }
    void sectionsFollowWalkOrder();
    void optionArrays();
    void keyboardPart();
    void lookupForms();
    void netEntries();
    void brokenLabelFile_data();
    void brokenLabelFile();
    void brokenNetFile_data();
    void brokenNetFile();
    void unknownLanguageReadsLanguageZero();
    void startLanguage();

private:
    static QString fixtureFolder() { return QStringLiteral(ORVAK_TEST_DATA "/shell/labels"); }
    static bool writeFile(const QString &path, const QByteArray &data);
};

bool TestLabelCatalogue::writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(data) == data.size();
}

void TestLabelCatalogue::sectionsFollowWalkOrder()
{
    LabelCatalogue::load(fixtureFolder());
    QCOMPARE(CommonLabels.count(), 1);

    const LabelMap common = CommonLabels[0];
    QCOMPARE(common.value("OK"), QString("OK"));
    QCOMPARE(common.value("Cancel"), QString("Cancel"));
    // A nested string of a section is stored in it; the later of two texts wins.
    QCOMPARE(common.value("Inner"), QString("nested strings count too"));
    QCOMPARE(common.value("Twice"), QString("second"));
    // Empty, numeric and boolean members are not stored.
    QVERIFY(!common.contains("Empty"));
    QVERIFY(!common.contains("Number"));
    QVERIFY(!common.contains("Flag"));
    QVERIFY(!common.contains("aaa"));

    QCOMPARE(HomeLabels[0].value("Exit"), QString("Exit"));
    QCOMPARE(HomeLabels[0].value("OpenMain"), QString("Open"));
    // A member named like a section switches the section for the rest of the walk.
    QVERIFY(!HomeLabels[0].contains("key"));
    QVERIFY(!HomeLabels[0].contains("zAfterKey"));
    QCOMPARE(KeyLabels[0].value("key"), QString("a string named like a section"));
    QCOMPARE(KeyLabels[0].value("zAfterKey"), QString("lands in the key section"));
}

void TestLabelCatalogue::optionArrays()
{
    LabelCatalogue::load(fixtureFolder());

    const LabelMultiMap keys = KeyOptionsLabels[0];
    QCOMPARE(keys.values("0x0100"), (QStringList{"Left again", "Left"}));
    QCOMPARE(keys.value("0x0100"), QString("Left again"));
    QCOMPARE(keys.value(""), QString("numeric value")); // a number in a text key
    QCOMPARE(keys.value("0x0200"), QString("Group"));
    QCOMPARE(keys.value("0x0201"), QString("Child"));
    QCOMPARE(keys.value("0x0202"), QString("Grandchild"));
    QCOMPARE(keys.value("0x0300"), QString("After group"));
    QCOMPARE(keys.size(), 7);

    const LabelMultiMap profiles = ProfileOptionsLabels[0];
    // Missing or string "value" gives the key "0".
    QCOMPARE(profiles.values("0"), (QStringList{"string value", "missing value", "Profile 1"}));
    QCOMPARE(profiles.value("3"), QString("children not an array"));
    QVERIFY(!profiles.contains("9"));
    QVERIFY(profiles.contains("4"));
    QCOMPARE(profiles.value("4"), QString()); // a non-string text reads as empty
    QCOMPARE(profiles.size(), 5);

    // Single-valued: the later element replaces.
    QCOMPARE(DpiModeOptionsLabels[0].value("1"), QString("second one"));
    QCOMPARE(DpiModeOptionsLabels[0].value("0"), QString("Zero"));
    QCOMPARE(DpiModeOptionsLabels[0].size(), 2);

    const LabelPairList pairs = ReceiverStatusListLabels[0];
    const LabelPairList expected = {{"Paired", "The receiver is paired"},
                                    {"No info", ""},
                                    {"Child pair", "parent"},
                                    {"Kid", "child"}};
    QCOMPARE(pairs, expected);

    // Arrays under unknown names or in the other part keep nothing.
    QVERIFY(ModeListLabels[0].values("1") == QStringList{"Mode A"});
    QVERIFY(!ModeListLabels[0].values("1").contains("mouse part: no table"));
    QCOMPARE(TabsListLabels[0].size(), 0);
}

void TestLabelCatalogue::keyboardPart()
{
    LabelCatalogue::load(fixtureFolder());
    QCOMPARE(KeyboardCommonLabels[0].value("OK"), QString("Keyboard OK"));
    QCOMPARE(KeyboardUpdateLabels[0].value("Title"), QString("Keyboard update"));
    QVERIFY(!HomeLabels[0].contains("Title"));
    QVERIFY(!KeyOptionsLabels[0].values("0x0100").contains("keyboard part: no table"));

    QCOMPARE(ModeListLabels[0].value("1"), QString("Mode A"));
    QCOMPARE(ModeListLabels[0].value("0"), QString("Mode B"));

    QCOMPARE(KeyboardKeyfunctions00Labels[0].value("0x04"), QString("Key A"));
    QCOMPARE(KeyboardKeyfunctions0ALabels[0].size(), 1);
    QCOMPARE(KeyboardKeyfunctions0ALabels[0].value("2"), QString("upper-case type"));
    QCOMPARE(KeyboardKeyfunctions01Labels[0].size() + KeyboardKeyfunctions05Labels[0].size(), 0);
}

void TestLabelCatalogue::lookupForms()
{
    LabelCatalogue::load(fixtureFolder());
    QVERIFY(!HomeLabels[0].contains("Missing"));
    QCOMPARE(HomeLabels[0].value("Missing", "default"), QString("default"));
    QVERIFY(!HomeLabels[0].contains("Missing"));
    QCOMPARE(HomeLabels[CurrentLanguage]["Missing"], QString()); // inserting lookup
    QVERIFY(HomeLabels[0].contains("Missing"));
    QCOMPARE(CommonLabels[0]["Empty"], QString());
}

void TestLabelCatalogue::netEntries()
{
    LabelCatalogue::load(fixtureFolder());
    const QVector<QStringList> expected = {
        {"ORVAK Ltd", "ORVAK CN", "www.orvak.cn", "www.orvak.com"}, {"Third", "third.example"}};
    QCOMPARE(NetLabels, expected);
}

void TestLabelCatalogue::brokenLabelFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("warning");
    QTest::newRow("missing") << QByteArray() << "cannot open";
    QTest::newRow("empty") << QByteArray("") << "no valid JSON";
    QTest::newRow("truncated") << QByteArray("{\"mouse\": {\"common\": {\"OK\": \"OK\"")
                               << "no valid JSON";
    QTest::newRow("trailing comma")
        << QByteArray("{\"mouse\": {\"common\": {\"OK\": \"OK\",}}}") << "no valid JSON";
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe{", 4) << "no valid JSON";
    QTest::newRow("root array") << QByteArray("[{\"mouse\": {\"common\": {\"OK\": \"OK\"}}}]")
                                << "holds no label texts";
    QTest::newRow("no labels") << QByteArray("{\"version\": 3}") << "holds no label texts";
    // Sound texts padded beyond any language file: refused unread.
    QByteArray padded("{\"mouse\": {\"common\": {\"OK\": \"OK\"}}}");
    padded += QByteArray(int(LabelCatalogueLoader::MaxFileBytes), ' ');
    QTest::newRow("beyond the bound") << padded << "more than the 8388608";
}

void TestLabelCatalogue::brokenLabelFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (!content.isNull())
        QVERIFY(writeFile(dir.filePath("en.json"), content));
    QVERIFY(QFile::copy(fixtureFolder() + "/Net.xml", dir.filePath("Net.xml")));

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    LabelCatalogue::load(dir.path());

    // Every table still gets its (empty) language 0; the rest of the load goes on.
    QCOMPARE(CommonLabels.count(), 1);
    QCOMPARE(KeyOptionsLabels.count(), 1);
    QCOMPARE(ReceiverStatusListLabels.count(), 1);
    QVERIFY(CommonLabels[0].isEmpty());
    QVERIFY(KeyOptionsLabels[0].isEmpty());
    QCOMPARE(CommonLabels[CurrentLanguage]["OK"], QString());
    QCOMPARE(NetLabels.size(), 2);
}

void TestLabelCatalogue::brokenNetFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("warning");

    const QByteArray entry = "<English><CompanyName>A</CompanyName>"
                             "<CompanyWeben>a.example</CompanyWeben></English>";
    QByteArray deep = "<Profile><Wrapper>";
    for (int i = 0; i < 20000; ++i)
        deep += "<n>";
    for (int i = 0; i < 20000; ++i)
        deep += "</n>";
    deep += "</Wrapper>" + entry + "</Profile>";

    QTest::newRow("missing") << QByteArray() << 0 << "cannot open";
    QTest::newRow("empty") << QByteArray("") << 0 << "Net.xml";
    QTest::newRow("not a labels file")
        << QByteArray("<Labels>" + entry + "</Labels>") << 0 << "Not a labels file";
    QTest::newRow("no English") << QByteArray(
                                       "<Profile><NewVer><label>x</label></NewVer></Profile>")
                                << 0 << QString();
    QTest::newRow("two English") << QByteArray("<Profile>" + entry + entry + "</Profile>") << 2
                                 << QString();
    QTest::newRow("broken after an entry")
        << QByteArray("<Profile>" + entry + "<English><CompanyName>B</Wrong>") << 1 << "Net.xml";
    QTest::newRow("element inside a text")
        << QByteArray("<Profile><English><CompanyName>A<b>x</b></CompanyName>"
                      "<CompanyWeben>a</CompanyWeben></English></Profile>")
        << 0 << "Net.xml";
    QTest::newRow("unclosed Profile") << QByteArray("<Profile>" + entry) << 1 << "Net.xml";
    QTest::newRow("broken between two entries")
        << QByteArray("<Profile>" + entry + "<Bad attr=></Bad>" + entry + "</Profile>") << 1
        << "Net.xml";
    QTest::newRow("deeply nested skip") << deep << 1 << QString();
    QTest::newRow("beyond the bound")
        << QByteArray("<Profile>" + entry + "</Profile>" +
                      QByteArray(int(LabelCatalogueLoader::MaxFileBytes), ' '))
        << 0 << "more than the 8388608";
}

void TestLabelCatalogue::brokenNetFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, entries);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QFile::copy(fixtureFolder() + "/en.json", dir.filePath("en.json")));
    if (!content.isNull())
        QVERIFY(writeFile(dir.filePath("Net.xml"), content));

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    LabelCatalogue::load(dir.path());

    QCOMPARE(NetLabels.size(), entries);
    for (const QStringList &texts : NetLabels)
        QCOMPARE(texts, (QStringList{"A", "a.example"}));
    QCOMPARE(CommonLabels[0].value("OK"), QString("OK")); // en.json is unaffected
}

void TestLabelCatalogue::unknownLanguageReadsLanguageZero()
{
    // Before any load a lookup still has a language 0 to read.
    QCOMPARE(HomeLabels[3]["Exit"], QString());
    LabelCatalogue::clear();

    LabelCatalogue::load(fixtureFolder());
    QCOMPARE(LabelCatalogue::languageCount(), 1);
    for (int index : {1, 2, 7, -1}) {
        QCOMPARE(LabelCatalogue::validLanguage(index), 0);
        QCOMPARE(HomeLabels[index]["Exit"], QString("Exit"));
        QCOMPARE(ReceiverStatusListLabels[index].size(), 4);
    }
    QCOMPARE(HomeLabels.count(), 1);
}

void TestLabelCatalogue::startLanguage()
{
    LabelCatalogue::load(fixtureFolder());
    Registry *registry = Registry::instance();
    MacroIniStore *store = MacroIniStore::GetInstance();
    const QString key = Registry::productKey();

    // 0 in the registry leaves Macro.ini alone; the value goes in every case.
    QVERIFY(registry->setValue(key, "LanguageIndex", 0));
    QCOMPARE(LabelCatalogue::loadStartLanguage(), 0);
    QVERIFY(!registry->contains(key, "LanguageIndex"));
    QCOMPARE(store->GetValue("Language", "Language"), QString());

    // A non-zero value moves into Macro.ini; only language 0 is loaded.
    QVERIFY(registry->setValue(key, "LanguageIndex", 2));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Language index 2"));
    QCOMPARE(LabelCatalogue::loadStartLanguage(), 0);
    QVERIFY(!registry->contains(key, "LanguageIndex"));
    QCOMPARE(store->GetValue("Language", "Language"), QString("2"));

    QVERIFY(store->SetValue("Language", "Language", "0"));
    QCOMPARE(LabelCatalogue::loadStartLanguage(), 0);
    QVERIFY(store->SetValue("Language", "Language", "English"));
    QCOMPARE(LabelCatalogue::loadStartLanguage(), 0);
}

QTEST_GUILESS_MAIN(TestLabelCatalogue)
#include "tst_labelcatalogue.moc"
