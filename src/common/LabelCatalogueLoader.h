#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonValue>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

#include "common/LabelCatalogue.h"

// One language's worth of label tables, keyed by the table's name
// ("CommonLabels", "KeyOptionsLabels", ...). Single-valued tables never hold
// a key twice.
struct LabelSet
{
    QMap<QString, LabelMultiMap> maps;
    LabelPairList receiverStatusList;
    QVector<QStringList> net;
};

// The walk over en.json and Net.xml that fills a LabelSet.
//
// en.json: objects are visited in ascending key order. A member named
// "mouse" or "keyboard" selects the part, a member named like a section
// ("common", "home", ...) the section; both stay selected for the rest of the
// walk, at any depth. A non-empty string member goes to the section table of
// the current part and section. Arrays are option lists named by the member
// holding them; their elements' "children" arrays go to the same table.
class LabelCatalogueLoader
{
public:
    // A language file holds a few hundred short texts: one far larger is
    // damaged (or no file at all) and is refused before it is read.
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

    // Fills the set from an en.json file. False (and a log line) when the file
    // cannot be opened, is no regular file, is larger than MaxFileBytes or is
    // no valid JSON; the set is then left untouched.
    bool ReadLabelFile(const QString &path);
    // The same on the content of an en.json file; `path` names it in the log.
    bool ReadLabelData(const QByteArray &data, const QString &path);
    void ReadLabelObject(const QJsonValue &value, const QString &name);
    void ReadLabelArray(const QJsonArray &array, const QString &name);

    // Appends the "English" entries of a Net.xml file to the set's net list.
    // False (and a log line) when the file cannot be opened, is no regular
    // file, is larger than MaxFileBytes, is not a labels file or is
    // malformed; entries complete before a fault are kept.
    bool ReadNetFile(const QString &path);
    // The same on the content of a Net.xml file; `path` names it in the log.
    bool ReadNetData(const QByteArray &data, const QString &path);

    const LabelSet &labels() const { return m_labels; }

private:
    void ReadNetXml();
    void ReadNetEnglish(QVector<QStringList> &entries);
    void SkipXmlElement();

    QString sectionTable() const;

    enum class Part
    {
        Keyboard,
        Mouse
    };
    Part m_part = Part::Keyboard;
    QString m_section;
    QXmlStreamReader m_xml;
    QVector<QStringList> m_netRead;
    LabelSet m_labels;
};
