#include "common/LabelCatalogueLoader.h"

#include "platform/files/SafeFile.h"

#include <QBuffer>
#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

enum class KeyKind
{
    Text,
    Decimal,
    None
};
enum class StoreKind
{
    Single,
    Multi,
    Pairs
};

// One option array: where its elements go and which members they give.
struct ArrayRow
{
    const char *array;
    bool mouse;
    const char *textMember;
    const char *keyMember;
    KeyKind keyKind;
    StoreKind store;
    const char *table; // empty: chosen by the element's "type"
};

const ArrayRow arrayRows[] = {
    {"KeyOptions", true, "label", "value", KeyKind::Text, StoreKind::Multi, "KeyOptionsLabels"},
    {"LightOffTimeOptions", false, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "KeyboardLightOffTimeOptionsLabels"},
    {"LightOffTimeOptions", true, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "LightOffTimeOptionsLabels"},
    {"ReportRates", false, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "KeyboardReportRatesLabels"},
    {"ReportRates", true, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "ReportRatesLabels"},
    {"keyboardTabList", false, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "KeyboardTabListLabels"},
    {"DisableList", false, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "DisableListLabels"},
    {"FunctionList", false, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "FunctionListLabels"},
    {"keyboardKeyfunctions", false, "label", "value", KeyKind::Text, StoreKind::Multi, ""},
    {"modeList", false, "option", "value", KeyKind::Decimal, StoreKind::Multi, "ModeListLabels"},
    {"InsertEventOptions", false, "option", "command", KeyKind::Decimal, StoreKind::Multi,
     "KeyboardInsertEventOptionsLabels"},
    {"InsertEventOptions", true, "option", "command", KeyKind::Decimal, StoreKind::Multi,
     "InsertEventOptionsLabels"},
    {"dpiModeOptions", true, "option", "value", KeyKind::Decimal, StoreKind::Single,
     "DpiModeOptionsLabels"},
    {"tabsList", true, "option", "id", KeyKind::Decimal, StoreKind::Multi, "TabsListLabels"},
    {"ProfileOptions", true, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "ProfileOptionsLabels"},
    {"DPIEffectOptions", true, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "DPIEffectOptionsLabels"},
    {"LightModeOptions", true, "option", "value", KeyKind::Decimal, StoreKind::Single,
     "LightModeOptionsLabels"},
    {"StatusDescriptionList", true, "option", "value", KeyKind::Text, StoreKind::Multi,
     "StatusDescriptionListLabels"},
    {"receiverList", true, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "ReceiverListLabels"},
    {"receiverStatusList", true, "option", "info", KeyKind::None, StoreKind::Pairs, ""},
    {"LODOptions", true, "option", "value", KeyKind::Decimal, StoreKind::Multi, "LODOptionsLabels"},
    {"PerformanceOptions", true, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "PerformanceOptionsLabels"},
    {"SensorModeOptions", true, "option", "value", KeyKind::Decimal, StoreKind::Multi,
     "SensorModeOptionsLabels"},
};

const ArrayRow *findArrayRow(const QString &name, bool mouse)
{
    for (const ArrayRow &row : arrayRows) {
        if (row.mouse == mouse && name == QLatin1String(row.array))
            return &row;
    }
    return nullptr;
}

// "keyboardKeyfunctions" elements are sorted into tables by their "type" text
// (compared exactly; other types are not kept).
QString keyfunctionsTable(const QString &type)
{
    static const char *const types[][2] = {
        {"0x00", "KeyboardKeyfunctions00Labels"}, {"0x01", "KeyboardKeyfunctions01Labels"},
        {"0x02", "KeyboardKeyfunctions02Labels"}, {"0x03", "KeyboardKeyfunctions03Labels"},
        {"0x05", "KeyboardKeyfunctions05Labels"}, {"0x06", "KeyboardKeyfunctions06Labels"},
        {"0x09", "KeyboardKeyfunctions09Labels"}, {"0x0A", "KeyboardKeyfunctions0ALabels"}};
    for (const auto &entry : types) {
        if (type == QLatin1String(entry[0]))
            return QLatin1String(entry[1]);
    }
    return QString();
}

const char *const sectionNames[] = {
    "AdvancedSettings", "Settings", "common", "home", "infoTips", "key", "light", "macro", "pair",
    "sensor",           "update"};

bool isSectionName(const QString &key)
{
    for (const char *section : sectionNames) {
        if (key == QLatin1String(section))
            return true;
    }
    return false;
}

// Sections of the keyboard part that have a table of their own.
const char *const keyboardSections[][2] = {
    {"Settings", "KeyboardSettingsLabels"}, {"common", "KeyboardCommonLabels"},
    {"key", "KeyboardKeyLabels"},           {"light", "KeyboardLightLabels"},
    {"macro", "KeyboardMacroLabels"},       {"pair", "KeyboardPairLabels"},
    {"update", "KeyboardUpdateLabels"}};

} // namespace

QString LabelCatalogueLoader::sectionTable() const
{
    if (m_section.isEmpty())
        return QString();
    if (m_part == Part::Mouse)
        return m_section.at(0).toUpper() + m_section.mid(1) + QStringLiteral("Labels");
    for (const auto &entry : keyboardSections) {
        if (m_section == QLatin1String(entry[0]))
            return QLatin1String(entry[1]);
    }
    return QString();
}

bool LabelCatalogueLoader::ReadLabelFile(const QString &path)
{
    QByteArray data;
    QString error;
    if (SafeFile::read(path, MaxFileBytes, &data, &error) != SafeFile::Status::Ok) {
        qWarning().noquote() << "Label catalogue: cannot open" << path << "-"
                             << (error.isEmpty() ? QStringLiteral("missing") : error)
                             << "- every label text is empty";
        return false;
    }
    return ReadLabelData(data, path);
}

bool LabelCatalogueLoader::ReadLabelData(const QByteArray &data, const QString &path)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning().noquote() << "Label catalogue:" << path << "is no valid JSON ("
                             << error.errorString() << "at offset" << error.offset
                             << ") - every label text is empty";
        return false;
    }
    if (document.isObject())
        ReadLabelObject(document.object(), QString());
    else if (document.isArray())
        ReadLabelObject(document.array(), QString());
    return true;
}

void LabelCatalogueLoader::ReadLabelObject(const QJsonValue &value, const QString &name)
{
    if (value.isArray()) {
        ReadLabelArray(value.toArray(), name);
        return;
    }
    if (!value.isObject())
        return;

    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("keyboard"))
            m_part = Part::Keyboard;
        else if (key == QLatin1String("mouse"))
            m_part = Part::Mouse;
        if (isSectionName(key))
            m_section = key;

        const QJsonValue member = it.value();
        if (member.isString() && !member.toString().isEmpty()) {
            const QString table = sectionTable();
            if (!table.isEmpty())
                m_labels.maps[table].replace(key, member.toString());
        }
        ReadLabelObject(member, key);
    }
}

void LabelCatalogueLoader::ReadLabelArray(const QJsonArray &array, const QString &name)
{
    const ArrayRow *row = findArrayRow(name, m_part == Part::Mouse);
    if (!row)
        return;

    for (const QJsonValue &item : array) {
        if (!item.isObject())
            continue;
        const QJsonObject element = item.toObject();
        const QString text = element.value(QLatin1String(row->textMember)).toString();
        const QJsonValue keyValue = element.value(QLatin1String(row->keyMember));

        switch (row->store) {
        case StoreKind::Pairs:
            m_labels.receiverStatusList.append(qMakePair(text, keyValue.toString()));
            break;
        case StoreKind::Single:
        case StoreKind::Multi: {
            const QString key = row->keyKind == KeyKind::Decimal
                                    ? QString::number(keyValue.toInt(0))
                                    : keyValue.toString();
            const QString table =
                row->table[0] != '\0'
                    ? QString::fromLatin1(row->table)
                    : keyfunctionsTable(element.value(QLatin1String("type")).toString());
            if (table.isEmpty())
                break;
            if (row->store == StoreKind::Single)
                m_labels.maps[table].replace(key, text);
            else
                m_labels.maps[table].insert(key, text);
            break;
        }
        }

        const QJsonValue children = element.value(QLatin1String("children"));
        if (children.isArray())
            ReadLabelArray(children.toArray(), name);
    }
}

bool LabelCatalogueLoader::ReadNetFile(const QString &path)
{
    QByteArray data;
    QString error;
    if (SafeFile::read(path, MaxFileBytes, &data, &error) != SafeFile::Status::Ok) {
        qWarning().noquote() << "Label catalogue: cannot open" << path << "-"
                             << (error.isEmpty() ? QStringLiteral("missing") : error)
                             << "- no company texts";
        return false;
    }
    return ReadNetData(data, path);
}

bool LabelCatalogueLoader::ReadNetData(const QByteArray &data, const QString &path)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    m_xml.clear();
    m_xml.setDevice(&buffer);
    m_netRead.clear();

    while (!m_xml.atEnd() && !m_xml.isStartElement())
        m_xml.readNext();
    if (m_xml.isStartElement()) {
        if (m_xml.name() == QLatin1String("Profile"))
            ReadNetXml();
        else
            m_xml.raiseError(QStringLiteral("Not a labels file"));
    }

    const bool failed = m_xml.hasError();
    if (failed) {
        qWarning().noquote() << "Label catalogue:" << path << "line" << m_xml.lineNumber() << ":"
                             << m_xml.errorString() << "- keeping the" << m_netRead.size()
                             << "company entries read before it";
    }
    m_xml.setDevice(nullptr);

    // Entries complete before a fault are sound; only what follows is lost.
    m_labels.net += m_netRead;
    m_netRead.clear();
    return !failed;
}

void LabelCatalogueLoader::ReadNetXml()
{
    m_xml.readNext();
    while (!m_xml.atEnd()) {
        if (m_xml.isEndElement()) {
            m_xml.readNext();
            return;
        }
        if (m_xml.isStartElement()) {
            if (m_xml.name() == QLatin1String("English"))
                ReadNetEnglish(m_netRead);
            else
                SkipXmlElement();
        } else {
            m_xml.readNext();
        }
    }
}

void LabelCatalogueLoader::ReadNetEnglish(QVector<QStringList> &entries)
{
    QStringList texts;
    m_xml.readNext();
    while (!m_xml.atEnd()) {
        if (m_xml.isEndElement()) {
            m_xml.readNext();
            return;
        }
        if (m_xml.isStartElement()) {
            const QStringRef name = m_xml.name();
            if (name == QLatin1String("CompanyName") || name == QLatin1String("CompanyNameCn") ||
                name == QLatin1String("CompanyWebcn")) {
                texts.append(m_xml.readElementText());
                m_xml.readNext();
            } else if (name == QLatin1String("CompanyWeben")) {
                texts.append(m_xml.readElementText());
                entries.append(texts);
                m_xml.readNext();
            } else {
                SkipXmlElement();
            }
        } else {
            m_xml.readNext();
        }
    }
}

void LabelCatalogueLoader::SkipXmlElement()
{
    // Iterative, so a hostile file nested thousands of levels deep cannot
    // exhaust the stack.
    int depth = 1;
    m_xml.readNext();
    while (!m_xml.atEnd()) {
        if (m_xml.isEndElement()) {
            m_xml.readNext();
            if (--depth == 0)
                return;
        } else {
            if (m_xml.isStartElement())
                ++depth;
            m_xml.readNext();
        }
    }
}
