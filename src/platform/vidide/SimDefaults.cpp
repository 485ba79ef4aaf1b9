// The built-in device set and the factory settings of each model. The ids and
// defaults here follow usersetting/Config.ini; keep the two in step.

#include "platform/vidide/SimState.h"

#include "platform/vidide/SimControl.h"

#include <cstring>

namespace vidide {
namespace {

constexpr uint16_t DefaultVid = 0x3A7C;
constexpr uint8_t DefaultCid = 38;

const QVector<int> &sharedColors()
{
    static const QVector<int> colors = {255, 64,  64,  255, 150, 40,  255, 220, 40,  80,  220, 90,
                                        38,  198, 218, 60,  110, 255, 170, 80,  255, 240, 240, 240};
    return colors;
}

const QVector<int> &sharedKeys()
{
    static const QVector<int> keys = {0x01, 0x01, 0x00, 0x01, 0x02, 0x00, 0x01, 0x04, 0x00,
                                      0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x02, 0x01, 0x00};
    return keys;
}

const QVector<CatalogueModel> &catalogue()
{
    // Drive1: the wireless Talon W with its 4K receiver; Drive2: the wired Talon C.
    static const QVector<CatalogueModel> models = {
        {11,
         "ORVAK-TW1",
         8,
         {400, 800, 1600, 3200, 6400, 12800, 20000, 26000},
         // The 3950 counts in 50-DPI steps and switches range by flag bits.
         {7, 0, 15, 0, 31, 0, 63, 0, 127, 0, 127, 0x22, 199, 0x22, 3, 0x55},
         sharedColors(),
         sharedKeys(),
         1,
         1},
        {12,
         "ORVAK-TC1",
         6,
         {400, 800, 1200, 1600, 3200, 6400, 8000, 12000},
         // The 3327 codes of driver_sensor.h: one code per 100 DPI, from 100.
         {3, 0, 7, 0, 11, 0, 15, 0, 31, 0, 63, 0, 79, 0, 119, 0},
         sharedColors(),
         sharedKeys(),
         0,
         -1},
    };
    return models;
}

} // namespace

const CatalogueModel *SimState::model(uint8_t mid)
{
    for (const CatalogueModel &model : catalogue()) {
        if (model.mid == mid)
            return &model;
    }
    return nullptr;
}

// A model without a code table falls back to steps of 100 DPI, marking values
// above 25500 DPI with flag 1.
void defaultBlock(const CatalogueModel *model, FlashDataMap *map)
{
    std::memset(map, 0, sizeof(*map));
    map->ReportRateCode = 1;
    map->DpiLevelCount = static_cast<uint8_t>(model ? model->levelCount : 4);
    map->CurrentDpiLevel = 1;
    map->LodCode = 1;
    map->DebounceMs = 4;
    map->SleepTimeCode = 6;
    map->PerformanceTimeCode = 6;
    for (int level = 0; level < 8; ++level) {
        DpiLevel &entry = map->DpiLevels[level];
        if (model && 2 * level + 1 < model->codes.size()) {
            entry.XCode = static_cast<uint8_t>(model->codes[2 * level]);
            entry.Flags = static_cast<uint8_t>(model->codes[2 * level + 1]);
        } else {
            const int dpi = model && level < model->dpis.size() ? model->dpis[level] : 800;
            const int code = dpi / 100;
            entry.XCode = static_cast<uint8_t>(code > 255 ? code - 255 : code);
            entry.Flags = code > 255 ? 1 : 0;
        }
        entry.YCode = entry.XCode;
        if (model && model->colors.size() >= 3 * (level + 1)) {
            entry.ColorR = static_cast<uint8_t>(model->colors[3 * level]);
            entry.ColorG = static_cast<uint8_t>(model->colors[3 * level + 1]);
            entry.ColorB = static_cast<uint8_t>(model->colors[3 * level + 2]);
        }
    }
    map->DpiLed = DpiLedBlock{1, 255, 3, 1};
    map->LedBar = LedBarBlock{1, 38, 198, 218, 4, 9, 1};
    if (model) {
        for (int k = 0; k < 16 && 3 * k + 2 < model->keys.size(); ++k) {
            map->Keys[k].Category = static_cast<uint8_t>(model->keys[3 * k]);
            map->Keys[k].Param1 = static_cast<uint8_t>(model->keys[3 * k + 1]);
            map->Keys[k].Param2 = static_cast<uint8_t>(model->keys[3 * k + 2]);
        }
    }
}

void SimState::resetMouseProfile(SimMouse &mouse, int profile) const
{
    FlashDataMap map;
    defaultBlock(model(mouse.mid), &map);
    mouse.profiles[profile] = encodeMemory(map);
}

void SimState::loadDefaultSet()
{
    mice.clear();
    usb.clear();
    stateKeyPrefix = QStringLiteral("default");

    SimMouse wireless;
    wireless.key = QStringLiteral("talon-w");
    wireless.cid = DefaultCid;
    wireless.mid = 11;
    wireless.modelName = "ORVAK-TW1";
    // Every built-in device runs the firmware that ships in bin/: a normal
    // start has nothing to upgrade. Older firmware comes with a device set of
    // its own (ORVAK_SIM_DEVICES).
    wireless.version = 0x0106;
    wireless.battery = 85;
    wireless.longRange = true;
    const uint8_t address[3] = {0x12, 0x34, 0x56};
    std::memcpy(wireless.pairedAddress, address, 3);
    SimMouse wired;
    wired.key = QStringLiteral("talon-c");
    wired.cid = DefaultCid;
    wired.mid = 12;
    wired.modelName = "ORVAK-TC1";
    wired.version = 0x0106;
    for (SimMouse *mouse : {&wireless, &wired}) {
        for (int p = 0; p < ProfileCount; ++p)
            resetMouseProfile(*mouse, p);
        mice.append(*mouse);
    }

    SimUsb receiver;
    receiver.vid = DefaultVid;
    receiver.pid = 0x7C40;
    receiver.release = 0x0104;
    receiver.receiver = true;
    receiver.connectionType = 1;
    receiver.mouse = 0;
    std::memcpy(receiver.address, address, 3);
    receiver.cid = DefaultCid;
    receiver.mid = 11;
    receiver.modelName = "ORVAK-RX4K";
    receiver.rgb.IndicatorMode = 1;
    receiver.bar = LedBarBlock{1, 38, 198, 218, 7, 9, 1};
    SimUsb cable;
    cable.vid = DefaultVid;
    cable.pid = 0x7C02;
    cable.release = wired.version;
    cable.connectionType = 2;
    cable.mouse = 1;
    usb.append(receiver);
    usb.append(cable);
}

} // namespace vidide

bool SimIsFactoryBlock(const FlashDataMap &map)
{
    using namespace vidide;
    // A mouse of a model the catalogue lacks starts from the plain defaults.
    FlashDataMap factory;
    defaultBlock(nullptr, &factory);
    if (std::memcmp(&factory, &map, sizeof(map)) == 0)
        return true;
    for (const CatalogueModel &model : catalogue()) {
        defaultBlock(&model, &factory);
        if (std::memcmp(&factory, &map, sizeof(map)) == 0)
            return true;
    }
    return false;
}
