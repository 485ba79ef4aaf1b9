// Every text the program looks up in the label catalogue is in the program's
// own en.json, and no lookup carries an English text of its own: a notice
// whose key the file lacks would show nothing.
#include "buttons/MacroBinding.h"
#include "common/LabelCatalogue.h"

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The tables of plain texts, by the name they have in the code.
QHash<QString, LabelTable<LabelMap> *> TextTables()
{
    return {
        {"AdvancedSettings", &AdvancedSettingsLabels},
        {"Settings", &SettingsLabels},
        {"Common", &CommonLabels},
        {"Home", &HomeLabels},
        {"InfoTips", &InfoTipsLabels},
        {"Key", &KeyLabels},
        {"Light", &LightLabels},
        {"Macro", &MacroLabels},
        {"Pair", &PairLabels},
        {"Sensor", &SensorLabels},
        {"Update", &UpdateLabels},
        {"KeyboardSettings", &KeyboardSettingsLabels},
        {"KeyboardCommon", &KeyboardCommonLabels},
        {"KeyboardKey", &KeyboardKeyLabels},
        {"KeyboardLight", &KeyboardLightLabels},
        {"KeyboardMacro", &KeyboardMacroLabels},
        {"KeyboardPair", &KeyboardPairLabels},
        {"KeyboardUpdate", &KeyboardUpdateLabels},
        {"DpiModeOptions", &DpiModeOptionsLabels},
        {"LightModeOptions", &LightModeOptionsLabels},
    };
}

struct Lookup
{
    QString file;
    QString table;
    QString key;
};

// Lookups with a literal key: Table[i]["Key"], Table[i].value("Key"), and the
// same through a reference "LabelMap &name = TableLabels[i]".
QList<Lookup> LookupsIn(const QString &file, const QString &text)
{
    static const QString key = QStringLiteral(
        "\\s*(?:\\[|\\.value\\()\\s*(?:QStringLiteral\\(|QLatin1String\\()?\\s*\"([^\"]+)\"");
    static const QRegularExpression direct(QStringLiteral("\\b(\\w+)Labels\\[[^\\]]*\\]") + key);
    static const QRegularExpression alias(
        QStringLiteral("LabelMap\\s*&\\s*(\\w+)\\s*=\\s*(\\w+)Labels\\["));
    QList<Lookup> found;
    for (auto it = direct.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        found.append({file, m.captured(1), m.captured(2)});
    }
    for (auto it = alias.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch a = it.next();
        const QRegularExpression use(QStringLiteral("\\b") + a.captured(1) + key);
        for (auto u = use.globalMatch(text); u.hasNext();)
            found.append({file, a.captured(2), u.next().captured(1)});
    }
    return found;
}

} // namespace

class TstLabelKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyKeyUsedIsInTheLabelFile();
    void macroRefusalsHaveTexts();

private:
    QString m_sources;
};

void TstLabelKeys::initTestCase()
{
    m_sources = QStringLiteral(ORVAK_TEST_DATA "/../../src");
    QVERIFY(QFile::exists(m_sources + "/common/LabelCatalogue.h"));
    LabelCatalogue::clear();
    LabelCatalogue::load();
    QVERIFY(!MacroLabels[0].isEmpty());
}

void TstLabelKeys::everyKeyUsedIsInTheLabelFile()
{
    const QHash<QString, LabelTable<LabelMap> *> tables = TextTables();
    // A second argument that is a text is an English fallback.
    const QRegularExpression fallback(QStringLiteral(
        "Labels\\[[^\\]]*\\]\\s*\\.value\\(\\s*(?:QStringLiteral\\()?\"[^\"]*\"\\)?\\s*,"
        "\\s*(?:QStringLiteral\\(|QString::fromUtf8\\()?\\s*\""));
    QStringList missing;
    QStringList fallbacks;
    int checked = 0;
    QDirIterator files(m_sources, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QString name = path.mid(m_sources.size() + 1);
        if (text.contains(fallback))
            fallbacks << name;
        for (const Lookup &lookup : LookupsIn(name, text)) {
            LabelTable<LabelMap> *table = tables.value(lookup.table);
            if (!table)
                continue; // an option list, not a table of texts
            ++checked;
            if (!(*table)[0].contains(lookup.key))
                missing << lookup.file + ": " + lookup.table + " " + lookup.key;
        }
    }
    // The scan must keep seeing the program's lookups.
    QVERIFY2(checked > 100, qPrintable(QString::number(checked)));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join("; ")));
    QVERIFY2(fallbacks.isEmpty(), qPrintable(fallbacks.join("; ")));
}

// The reasons a macro is not bound are looked up by a computed key.
void TstLabelKeys::macroRefusalsHaveTexts()
{
    using MacroBinding::LoadResult;
    QStringList texts;
    for (LoadResult result : {LoadResult::BadName, LoadResult::Missing, LoadResult::Unreadable,
                              LoadResult::TooManyStrokes, LoadResult::TooLarge}) {
        const QString text = MacroLabels[0].value(MacroBinding::RefusalKey(result));
        QVERIFY2(!text.isEmpty(), qPrintable(MacroBinding::Describe(result)));
        QVERIFY(!texts.contains(text));
        texts << text;
    }
    QVERIFY(MacroBinding::RefusalKey(LoadResult::Ok).isEmpty());
}

QTEST_MAIN(TstLabelKeys)
#include "tst_labelkeys.moc"
