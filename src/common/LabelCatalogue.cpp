#include "common/LabelCatalogue.h"

#include <QCoreApplication>
#include <QDebug>

#include "common/LabelCatalogueLoader.h"
#include "common/MacroIniStore.h"
#include "common/StorageNotice.h"
#include "platform/Registry.h"

LabelTable<LabelMap> AdvancedSettingsLabels;
LabelTable<LabelMap> SettingsLabels;
LabelTable<LabelMap> CommonLabels;
LabelTable<LabelMap> HomeLabels;
LabelTable<LabelMap> InfoTipsLabels;
LabelTable<LabelMap> KeyLabels;
LabelTable<LabelMap> LightLabels;
LabelTable<LabelMap> MacroLabels;
LabelTable<LabelMap> PairLabels;
LabelTable<LabelMap> SensorLabels;
LabelTable<LabelMap> UpdateLabels;

LabelTable<LabelMap> KeyboardSettingsLabels;
LabelTable<LabelMap> KeyboardCommonLabels;
LabelTable<LabelMap> KeyboardKeyLabels;
LabelTable<LabelMap> KeyboardLightLabels;
LabelTable<LabelMap> KeyboardMacroLabels;
LabelTable<LabelMap> KeyboardPairLabels;
LabelTable<LabelMap> KeyboardUpdateLabels;

LabelTable<LabelMultiMap> KeyOptionsLabels;
LabelTable<LabelMultiMap> KeyboardLightOffTimeOptionsLabels;
LabelTable<LabelMultiMap> LightOffTimeOptionsLabels;
LabelTable<LabelMultiMap> KeyboardReportRatesLabels;
LabelTable<LabelMultiMap> ReportRatesLabels;
LabelTable<LabelMultiMap> KeyboardTabListLabels;
LabelTable<LabelMultiMap> DisableListLabels;
LabelTable<LabelMultiMap> FunctionListLabels;
LabelTable<LabelMultiMap> KeyboardKeyfunctions00Labels;
LabelTable<LabelMultiMap> KeyboardKeyfunctions01Labels;
LabelTable<LabelMultiMap> KeyboardKeyfunctions02Labels;
LabelTable<LabelMultiMap> KeyboardKeyfunctions03Labels;
LabelTable<LabelMultiMap> KeyboardKeyfunctions05Labels;
LabelTable<LabelMultiMap> KeyboardKeyfunctions06Labels;
LabelTable<LabelMultiMap> KeyboardKeyfunctions09Labels;
LabelTable<LabelMultiMap> KeyboardKeyfunctions0ALabels;
LabelTable<LabelMultiMap> ModeListLabels;
LabelTable<LabelMultiMap> KeyboardInsertEventOptionsLabels;
LabelTable<LabelMultiMap> InsertEventOptionsLabels;
LabelTable<LabelMap> DpiModeOptionsLabels;
LabelTable<LabelMultiMap> TabsListLabels;
LabelTable<LabelMultiMap> ProfileOptionsLabels;
LabelTable<LabelMultiMap> DPIEffectOptionsLabels;
LabelTable<LabelMap> LightModeOptionsLabels;
LabelTable<LabelMultiMap> StatusDescriptionListLabels;
LabelTable<LabelMultiMap> ReceiverListLabels;
LabelTable<LabelMultiMap> LODOptionsLabels;
LabelTable<LabelMultiMap> PerformanceOptionsLabels;
LabelTable<LabelMultiMap> SensorModeOptionsLabels;

LabelTable<LabelPairList> ReceiverStatusListLabels;

QVector<QStringList> NetLabels;

namespace {

struct SingleTable
{
    const char *name;
    LabelTable<LabelMap> *table;
};

struct MultiTable
{
    const char *name;
    LabelTable<LabelMultiMap> *table;
};

const SingleTable singleTables[] = {
    {"AdvancedSettingsLabels", &AdvancedSettingsLabels},
    {"SettingsLabels", &SettingsLabels},
    {"CommonLabels", &CommonLabels},
    {"HomeLabels", &HomeLabels},
    {"InfoTipsLabels", &InfoTipsLabels},
    {"KeyLabels", &KeyLabels},
    {"LightLabels", &LightLabels},
    {"MacroLabels", &MacroLabels},
    {"PairLabels", &PairLabels},
    {"SensorLabels", &SensorLabels},
    {"UpdateLabels", &UpdateLabels},
    {"KeyboardSettingsLabels", &KeyboardSettingsLabels},
    {"KeyboardCommonLabels", &KeyboardCommonLabels},
    {"KeyboardKeyLabels", &KeyboardKeyLabels},
    {"KeyboardLightLabels", &KeyboardLightLabels},
    {"KeyboardMacroLabels", &KeyboardMacroLabels},
    {"KeyboardPairLabels", &KeyboardPairLabels},
    {"KeyboardUpdateLabels", &KeyboardUpdateLabels},
    {"DpiModeOptionsLabels", &DpiModeOptionsLabels},
    {"LightModeOptionsLabels", &LightModeOptionsLabels},
};

const MultiTable multiTables[] = {
    {"KeyOptionsLabels", &KeyOptionsLabels},
    {"KeyboardLightOffTimeOptionsLabels", &KeyboardLightOffTimeOptionsLabels},
    {"LightOffTimeOptionsLabels", &LightOffTimeOptionsLabels},
    {"KeyboardReportRatesLabels", &KeyboardReportRatesLabels},
    {"ReportRatesLabels", &ReportRatesLabels},
    {"KeyboardTabListLabels", &KeyboardTabListLabels},
    {"DisableListLabels", &DisableListLabels},
    {"FunctionListLabels", &FunctionListLabels},
    {"KeyboardKeyfunctions00Labels", &KeyboardKeyfunctions00Labels},
    {"KeyboardKeyfunctions01Labels", &KeyboardKeyfunctions01Labels},
    {"KeyboardKeyfunctions02Labels", &KeyboardKeyfunctions02Labels},
    {"KeyboardKeyfunctions03Labels", &KeyboardKeyfunctions03Labels},
    {"KeyboardKeyfunctions05Labels", &KeyboardKeyfunctions05Labels},
    {"KeyboardKeyfunctions06Labels", &KeyboardKeyfunctions06Labels},
    {"KeyboardKeyfunctions09Labels", &KeyboardKeyfunctions09Labels},
    {"KeyboardKeyfunctions0ALabels", &KeyboardKeyfunctions0ALabels},
    {"ModeListLabels", &ModeListLabels},
    {"KeyboardInsertEventOptionsLabels", &KeyboardInsertEventOptionsLabels},
    {"InsertEventOptionsLabels", &InsertEventOptionsLabels},
    {"TabsListLabels", &TabsListLabels},
    {"ProfileOptionsLabels", &ProfileOptionsLabels},
    {"DPIEffectOptionsLabels", &DPIEffectOptionsLabels},
    {"StatusDescriptionListLabels", &StatusDescriptionListLabels},
    {"ReceiverListLabels", &ReceiverListLabels},
    {"LODOptionsLabels", &LODOptionsLabels},
    {"PerformanceOptionsLabels", &PerformanceOptionsLabels},
    {"SensorModeOptionsLabels", &SensorModeOptionsLabels},
};

} // namespace

namespace LabelCatalogue {

QString languageFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Language");
}

void load(const QString &folder)
{
    LabelCatalogueLoader loader;
    const QString labelFile = folder + QStringLiteral("/en.json");
    const LabelSet &set = loader.labels();
    // A file that parses but holds no label (a root array, another layout)
    // empties every page's texts just as a broken one does: say so.
    if (loader.ReadLabelFile(labelFile) && set.maps.isEmpty() && set.receiverStatusList.isEmpty())
        qWarning().noquote() << "Label catalogue:" << labelFile
                             << "holds no label texts - every label text is empty";

    // Every table gets its entry, empty or not, so index 0 always exists.
    for (const SingleTable &entry : singleTables)
        entry.table->append(LabelMap(set.maps.value(QLatin1String(entry.name))));
    for (const MultiTable &entry : multiTables)
        entry.table->append(set.maps.value(QLatin1String(entry.name)));
    ReceiverStatusListLabels.append(set.receiverStatusList);

    // A damaged file still gives the entries complete before the fault.
    loader.ReadNetFile(folder + QStringLiteral("/Net.xml"));
    NetLabels += loader.labels().net;
}

int languageCount()
{
    return CommonLabels.count();
}

int validLanguage(int index)
{
    return index >= 0 && index < languageCount() ? index : 0;
}

int loadStartLanguage()
{
    Registry *registry = Registry::instance();
    const QString key = Registry::productKey();
    const QString name = QStringLiteral("LanguageIndex");
    const int registryIndex = registry->value(key, name).toInt();
    MacroIniStore *store = MacroIniStore::GetInstance();
    if (registryIndex != 0 &&
        !store->SetValue(QStringLiteral("Language"), QStringLiteral("Language"),
                         QString::number(registryIndex))) {
        // The value stays where it is until it could be moved; this run uses it.
        return validLanguage(registryIndex);
    }
    if (registry->contains(key, name) && !registry->remove(key, name))
        StorageNotice::Report(StorageNotice::Kind::Registry, registry->filePath());

    const QString stored = store->GetValue(QStringLiteral("Language"), QStringLiteral("Language"));
    bool ok = false;
    const int index = stored.toInt(&ok, 10);
    if (!ok)
        return 0;
    const int valid = validLanguage(index);
    if (valid != index)
        qWarning().noquote() << "Language index" << index
                             << "names no loaded language; using 0 (English)";
    return valid;
}

void clear()
{
    for (const SingleTable &entry : singleTables)
        entry.table->clear();
    for (const MultiTable &entry : multiTables)
        entry.table->clear();
    ReceiverStatusListLabels.clear();
    NetLabels.clear();
}

} // namespace LabelCatalogue
