#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include "common/SharedState.h"

// The label catalogue: every caption, tool tip, message and option text of
// the pages, one key-to-text map per language index, filled once at start-up
// from Language/en.json and Language/Net.xml beside the program.
//
// Lookups, on the entry of a table at a language index:
//   HomeLabels[CurrentLanguage]["OpenMain"]            text; a missing key gives "" and is added
//   HomeLabels[CurrentLanguage].value("OpenMain", def) text or default; nothing added
//   KeyOptionsLabels[CurrentLanguage].values("0x0100") all texts of a key, the one read last first
// An index naming no loaded language (a stale Macro.ini value, say) reads the
// entry of language 0, so no page ever indexes past the table.
// GUI thread only: the inserting lookup changes the maps.

using LabelMap = QMap<QString, QString>;
using LabelMultiMap = QMultiMap<QString, QString>;
using LabelPairList = QList<QPair<QString, QString>>;

template <typename Entry> class LabelTable
{
public:
    // The entry of `language`; an index without an entry gives entry 0
    // (made empty when nothing was loaded yet).
    Entry &operator[](int language)
    {
        if (m_entries.isEmpty())
            m_entries.append(Entry());
        if (language < 0 || language >= m_entries.size())
            language = 0;
        return m_entries[language];
    }
    int count() const { return m_entries.size(); }
    void append(const Entry &entry) { m_entries.append(entry); }
    void clear() { m_entries.clear(); }

private:
    QVector<Entry> m_entries;
};

// String sections of the mouse part.
extern LabelTable<LabelMap> AdvancedSettingsLabels; // "AdvancedSettings"
extern LabelTable<LabelMap> SettingsLabels;         // "Settings"
extern LabelTable<LabelMap> CommonLabels;           // "common"
extern LabelTable<LabelMap> HomeLabels;             // "home"
extern LabelTable<LabelMap> InfoTipsLabels;         // "infoTips"
extern LabelTable<LabelMap> KeyLabels;              // "key"
extern LabelTable<LabelMap> LightLabels;            // "light"
extern LabelTable<LabelMap> MacroLabels;            // "macro"
extern LabelTable<LabelMap> PairLabels;             // "pair"
extern LabelTable<LabelMap> SensorLabels;           // "sensor"
extern LabelTable<LabelMap> UpdateLabels;           // "update"

// String sections of the keyboard part.
extern LabelTable<LabelMap> KeyboardSettingsLabels;
extern LabelTable<LabelMap> KeyboardCommonLabels;
extern LabelTable<LabelMap> KeyboardKeyLabels;
extern LabelTable<LabelMap> KeyboardLightLabels;
extern LabelTable<LabelMap> KeyboardMacroLabels;
extern LabelTable<LabelMap> KeyboardPairLabels;
extern LabelTable<LabelMap> KeyboardUpdateLabels;

// Option arrays (named by the member that holds the array).
extern LabelTable<LabelMultiMap> KeyOptionsLabels; // mouse "KeyOptions"
extern LabelTable<LabelMultiMap>
    KeyboardLightOffTimeOptionsLabels;                         // keyboard "LightOffTimeOptions"
extern LabelTable<LabelMultiMap> LightOffTimeOptionsLabels;    // mouse "LightOffTimeOptions"
extern LabelTable<LabelMultiMap> KeyboardReportRatesLabels;    // keyboard "ReportRates"
extern LabelTable<LabelMultiMap> ReportRatesLabels;            // mouse "ReportRates"
extern LabelTable<LabelMultiMap> KeyboardTabListLabels;        // keyboard "keyboardTabList"
extern LabelTable<LabelMultiMap> DisableListLabels;            // keyboard "DisableList"
extern LabelTable<LabelMultiMap> FunctionListLabels;           // keyboard "FunctionList"
extern LabelTable<LabelMultiMap> KeyboardKeyfunctions00Labels; // keyboard "keyboardKeyfunctions"
extern LabelTable<LabelMultiMap> KeyboardKeyfunctions01Labels; //   by "type"
extern LabelTable<LabelMultiMap> KeyboardKeyfunctions02Labels;
extern LabelTable<LabelMultiMap> KeyboardKeyfunctions03Labels;
extern LabelTable<LabelMultiMap> KeyboardKeyfunctions05Labels;
extern LabelTable<LabelMultiMap> KeyboardKeyfunctions06Labels;
extern LabelTable<LabelMultiMap> KeyboardKeyfunctions09Labels;
extern LabelTable<LabelMultiMap> KeyboardKeyfunctions0ALabels;
extern LabelTable<LabelMultiMap> ModeListLabels;                   // keyboard "modeList"
extern LabelTable<LabelMultiMap> KeyboardInsertEventOptionsLabels; // keyboard "InsertEventOptions"
extern LabelTable<LabelMultiMap> InsertEventOptionsLabels;         // mouse "InsertEventOptions"
extern LabelTable<LabelMap> DpiModeOptionsLabels;                  // mouse "dpiModeOptions"
extern LabelTable<LabelMultiMap> TabsListLabels;                   // mouse "tabsList"
extern LabelTable<LabelMultiMap> ProfileOptionsLabels;             // mouse "ProfileOptions"
extern LabelTable<LabelMultiMap> DPIEffectOptionsLabels;           // mouse "DPIEffectOptions"
extern LabelTable<LabelMap> LightModeOptionsLabels;                // mouse "LightModeOptions"
extern LabelTable<LabelMultiMap> StatusDescriptionListLabels;      // mouse "StatusDescriptionList"
extern LabelTable<LabelMultiMap> ReceiverListLabels;               // mouse "receiverList"
extern LabelTable<LabelMultiMap> LODOptionsLabels;                 // mouse "LODOptions"
extern LabelTable<LabelMultiMap> PerformanceOptionsLabels;         // mouse "PerformanceOptions"
extern LabelTable<LabelMultiMap> SensorModeOptionsLabels;          // mouse "SensorModeOptions"

// (option, info) pairs of the mouse array "receiverStatusList", in file order.
extern LabelTable<LabelPairList> ReceiverStatusListLabels;

// Not indexed by language: one entry per "CompanyWeben" of an "English"
// section of Net.xml, holding "CompanyName", "CompanyNameCn", "CompanyWebcn",
// "CompanyWeben" in document order. May be empty: check the size first.
extern QVector<QStringList> NetLabels;

namespace LabelCatalogue {

// <appdir>/Language
QString languageFolder();

// Reads <folder>/en.json and appends one language entry (index 0 on the one
// call at start-up) to every table, empty when the file is missing or
// malformed (logged); then appends the entries of <folder>/Net.xml to
// NetLabels (none when that file is missing; those complete before a fault
// when it is malformed, logged).
void load(const QString &folder = languageFolder());

// Number of loaded languages (1 after load()).
int languageCount();

// `index` when it names a loaded language, otherwise 0.
int validLanguage(int index);

// The language at start-up: a non-zero registry value LanguageIndex (under
// HKEY_CURRENT_USER\Software\ORVAK\ORVAK\ORVAK) is first moved into Macro.ini
// Language/Language and removed from the registry in every case; the result
// is Macro.ini's index, 0 when missing or naming no loaded language.
int loadStartLanguage();

// Empties every table (tests).
void clear();

} // namespace LabelCatalogue
