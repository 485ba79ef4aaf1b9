// The settings files' text: what earlier versions wrote with QSettings reads
// the same, what is written now reads the same with QSettings, and a change
// that does not reach the disk is undone with the old file left as it was.
#include "platform/IniCodec.h"
#include "platform/SyncedSettings.h"
#include "platform/UserFolder.h"
#include "platform/files/SafeFile.h"

#include "../support/HostileFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

using namespace HostileFiles;

namespace {

// Every key and value QSettings reads from text.
IniCodec::Map ReadByQSettings(const QString &folder, const QByteArray &text, bool *formatError)
{
    // A new name each time: QSettings keeps what it read of a file.
    static int count = 0;
    const QString path = folder + QStringLiteral("/read%1.ini").arg(++count);
    Put(path, text);
    QSettings settings(path, QSettings::IniFormat);
    settings.setIniCodec(QTextCodec::codecForName("UTF-8"));
    IniCodec::Map values;
    // Keys with empty parts ("", "/a", "a//b") are not asked for: QSettings
    // lists them but cannot give their values.
    for (const QString &key : settings.allKeys()) {
        if (!key.isEmpty() && IniCodec::normalizedKey(key) == key)
            values.insert(key, settings.value(key));
    }
    *formatError = settings.status() == QSettings::FormatError;
    return values;
}

IniCodec::Map Parsed(const QByteArray &text, bool *ok)
{
    IniCodec::Map parsed;
    *ok = IniCodec::parse(text, &parsed);
    IniCodec::Map values;
    for (auto it = parsed.constBegin(); it != parsed.constEnd(); ++it) {
        if (!it.key().isEmpty() && IniCodec::normalizedKey(it.key()) == it.key())
            values.insert(it.key(), it.value());
    }
    return values;
}

} // namespace

class TestIniCodec : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsAndWritesAsQSettings_data();
    void readsAndWritesAsQSettings();
    void parsesAnyTextAsQSettings();
    void failedChangeIsUndone();
    void changesOfOthersAreKept();
    void unreadableFileIsSetAside();

private:
    QTemporaryDir m_dir;
};

void TestIniCodec::init()
{
    SafeFile::failWritesAfter(-1);
    QVERIFY(m_dir.isValid());
}

void TestIniCodec::readsAndWritesAsQSettings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("readBack");
    auto same = [](const char *name, const QString &key, const QVariant &value) {
        QTest::newRow(name) << key << value << value;
    };
    same("version", "HKEY_CURRENT_USER/Software/ORVAK/ORVAK/Mouse Drive Test/MouseVer2612",
         QString("v1.05"));
    same("failure record with commas", "HKEY_CURRENT_USER/Software/ORVAK/ORVAK/UpdateFailInfo",
         QString("1,2,3"));
    same("blanks around", "Language/Language", QString("  two blanks  "));
    same("quotes and backslashes", "A/b", QString("say \"hi\" \\ there"));
    same("control characters", "A/b",
         QString("line\nbreak\ttab\x01"
                 "0"));
    same("at sign first", "A/b", QString("@ByteArray(not really)"));
    same("separators", "A/b", QString("a;b=c"));
    same("letters beyond ASCII", "Ä ö/ü", QString("naïve 日本"));
    same("characters beyond 16 bits", "A/b", QString::fromUtf8("\xF0\x9F\x98\x80 smile"));
    same("NUL", "A/b", QString(QChar(0)) + "x");
    same("bytes", "MacroSync/6d/device", QByteArray("\x00\x01\xff\x7f binary)", 13));
    same("list", "Option/LabelColor", QStringList{"255", "128", " 0 "});
    same("key in no group", "plain", QString("v"));
    same("group named General", "General/x", QString("v"));
    same("empty", "A/b", QString(""));
    QTest::newRow("empty list") << "A/b" << QVariant(QStringList{}) << QVariant();
    QTest::newRow("number") << "A/b" << QVariant(7) << QVariant(QString("7"));
}

void TestIniCodec::readsAndWritesAsQSettings()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QVariant, readBack);
    static int count = 0;
    const QString path = m_dir.filePath(QStringLiteral("written%1.ini").arg(++count));

    // Ours, read by QSettings and by us.
    IniCodec::Map map;
    map.insert(key, value);
    map.insert("Other/key", QString("other"));
    const QByteArray ours = IniCodec::serialize(map);
    bool formatError = false;
    const IniCodec::Map byQt = ReadByQSettings(m_dir.path(), ours, &formatError);
    QVERIFY2(!formatError, ours.constData());
    QCOMPARE(byQt.value(key), readBack);
    bool ok = false;
    QCOMPARE(Parsed(ours, &ok).value(key), readBack);
    QVERIFY(ok);

    // QSettings', read by us as QSettings reads it back.
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setIniCodec(QTextCodec::codecForName("UTF-8"));
        settings.setValue(key, value);
        settings.setValue("Other/key", QString("other"));
    }
    const QByteArray theirs = Bytes(path);
    QCOMPARE(Parsed(theirs, &ok), ReadByQSettings(m_dir.path(), theirs, &formatError));
}

// Any text, damaged or hostile: the same keys and values as QSettings, the
// same verdict on its form. (Serialised objects, "@Variant(...)", are kept
// as text here, so the texts hold no "@".)
void TestIniCodec::parsesAnyTextAsQSettings()
{
    static const char alphabet[] = "[]=;,\"\\ \t\n\rab%U0F/gx\xC3\xA9";
    QRandomGenerator random(20);
    for (int round = 0; round < 2000; ++round) {
        QByteArray text;
        const int length = random.bounded(1, 60);
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(int(sizeof(alphabet) - 1))];
        bool formatError = false;
        const IniCodec::Map expected = ReadByQSettings(m_dir.path(), text, &formatError);
        bool ok = false;
        const IniCodec::Map parsed = Parsed(text, &ok);
        QVERIFY2(parsed == expected, text.toPercentEncoding().constData());
        QVERIFY2(ok == !formatError, text.toPercentEncoding().constData());
    }
}

// A full disk refuses the change: it is not read back, not written by a
// later change, and the file stays byte for byte.
void TestIniCodec::failedChangeIsUndone()
{
    const QString path = m_dir.filePath("Registry.ini");
    Put(path, "[A]\nkept=1\n");
    SyncedSettings settings(path);
    SafeFile::failWritesAfter(3);
    QVERIFY(!settings.setValue("A/refused", "x"));
    SafeFile::failWritesAfter(-1);
    QCOMPARE(settings.lastError(), qt_error_string(ENOSPC));
    QVERIFY(!settings.contains("A/refused"));
    QCOMPARE(settings.value("A/kept").toString(), QString("1"));
    QCOMPARE(Bytes(path), QByteArray("[A]\nkept=1\n"));
    QVERIFY(settings.setValue("A/stored", "y"));
    QCOMPARE(Bytes(path), QByteArray("[A]\nkept=1\nstored=y\n"));
}

void TestIniCodec::changesOfOthersAreKept()
{
    const QString path = m_dir.filePath("MacroSync.ini");
    QFile::remove(path);
    SyncedSettings first(path);
    SyncedSettings second(path);
    QVERIFY(first.setValue("a/device", QByteArray("1")));
    QVERIFY(second.setValue("b/device", QByteArray("2")));
    QVERIFY(first.remove("b"));
    QVERIFY(second.sync());
    QCOMPARE(second.value("a/device").toByteArray(), QByteArray("1"));
    QVERIFY(!second.contains("b/device"));
}

// A file no settings file can be is kept beside, not written over.
void TestIniCodec::unreadableFileIsSetAside()
{
    const QString path = m_dir.filePath("Macro.ini");
    const QByteArray huge(int(SyncedSettings::MaxFileBytes) + 1, 'x');
    Put(path, huge);
    SyncedSettings settings(path);
    QVERIFY(!settings.contains("x"));
    QVERIFY(settings.setValue("Language/Language", "1"));
    QCOMPARE(Bytes(path), QByteArray("[Language]\nLanguage=1\n"));
    QVERIFY(Bytes(path + ".bad") == huge);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestIniCodec test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_inicodec.moc"
