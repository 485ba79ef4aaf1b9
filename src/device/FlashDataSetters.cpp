// The field setters of the parameter block: each names the bytes it changes
// and hands the change to the one road of every setter to the mouse
// (ChangeAndSendFlashData), which holds the online, owner and profile rules.

#include "device/FlashDataChange.h"
#include "device/FlashDataStore.h"

#include <QDebug>

#include <cstdint>
#include <cstring>

namespace {

uint8_t lowByte(int v)
{
    return static_cast<uint8_t>(v & 0xFF);
}

// An index outside the block's tables would write past the record: such a
// call writes and sends nothing and fails.
bool validIndex(int index, int count)
{
    if (index >= 0 && index < count)
        return true;
    qWarning() << "index" << index << "outside the parameter block's table of" << count;
    return false;
}

} // namespace

#define BYTE_SETTER(name, field)                                                                   \
    bool name(int value)                                                                           \
    {                                                                                              \
        return ChangeAndSendFlashData([value](FlashDataMap &m) { m.field = lowByte(value); });     \
    }

BYTE_SETTER(SetReportRate, ReportRateCode)
BYTE_SETTER(SetDpiLevelCount, DpiLevelCount)
BYTE_SETTER(SetCurrentDpiLevel, CurrentDpiLevel)
BYTE_SETTER(SetFlashData3, Reserved03)
BYTE_SETTER(SetScan20K, Scan20KOn)
BYTE_SETTER(SetLod, LodCode)
BYTE_SETTER(SetDebounceTime, DebounceMs)
BYTE_SETTER(SetMotionSync, MotionSyncOn)
BYTE_SETTER(SetSleepTime, SleepTimeCode)
BYTE_SETTER(SetStraightLine, StraightLineOn)
BYTE_SETTER(SetRippleControl, RippleControlOn)
BYTE_SETTER(SetLightOffWhileMoving, LightOffWhileMoving)
BYTE_SETTER(SetPerformance, PerformanceOn)
BYTE_SETTER(SetPerformanceTime, PerformanceTimeCode)
BYTE_SETTER(SetSensorMode, SensorModeIndex)
BYTE_SETTER(SetDpiLedBrightness, DpiLed.EffectBrightness)
BYTE_SETTER(SetDpiLedSpeed, DpiLed.EffectSpeed)
BYTE_SETTER(SetLedBarSpeed, LedBar.BarSpeed)
BYTE_SETTER(SetLedBarBrightness, LedBar.BarBrightness)

#undef BYTE_SETTER

bool SetAngle(int degrees)
{
    return ChangeAndSendFlashData([degrees](FlashDataMap &m) {
        m.AngleEnabled = 1;
        m.AngleDegrees = static_cast<int8_t>(lowByte(degrees));
    });
}

bool SetDpiLevelCode(int level, int x, int y, int flags)
{
    if (!validIndex(level, 8))
        return false;
    return ChangeAndSendFlashData([=](FlashDataMap &m) {
        m.DpiLevels[level].XCode = lowByte(x);
        m.DpiLevels[level].YCode = lowByte(y);
        m.DpiLevels[level].Flags = lowByte(flags);
    });
}

bool SetDpiLevelColor(int level, int r, int g, int b)
{
    if (!validIndex(level, 8))
        return false;
    return ChangeAndSendFlashData([=](FlashDataMap &m) {
        m.DpiLevels[level].ColorR = lowByte(r);
        m.DpiLevels[level].ColorG = lowByte(g);
        m.DpiLevels[level].ColorB = lowByte(b);
    });
}

bool SwapDpiLevels(const unsigned char firstRecord[6], const unsigned char secondRecord[6],
                   int secondIndex, int firstIndex, int level)
{
    if (!validIndex(secondIndex, 8) || !validIndex(firstIndex, 8))
        return false;
    DpiLevel first;
    DpiLevel second;
    std::memcpy(&first, firstRecord, sizeof(DpiLevel));
    std::memcpy(&second, secondRecord, sizeof(DpiLevel));
    return ChangeAndSendFlashData([=](FlashDataMap &m) {
        m.DpiLevels[firstIndex] = first;
        m.DpiLevels[secondIndex] = second;
        m.CurrentDpiLevel = lowByte(level);
        m.DpiLevelCount = lowByte(level + 1);
    });
}

bool SetDpiLedMode(int mode)
{
    return ChangeAndSendFlashData([mode](FlashDataMap &m) {
        if (mode == 0) {
            m.DpiLed.EffectOn = 0;
        } else {
            m.DpiLed.EffectOn = 1;
            m.DpiLed.EffectMode = lowByte(mode);
        }
    });
}

bool SetLedBarMode(int mode)
{
    return ChangeAndSendFlashData([mode](FlashDataMap &m) {
        if (mode == 0) {
            m.LedBar.BarOn = 0;
        } else {
            m.LedBar.BarOn = 1;
            m.LedBar.BarMode = lowByte(mode);
        }
    });
}

bool SetLedBarColor(int r, int g, int b)
{
    return ChangeAndSendFlashData([=](FlashDataMap &m) {
        m.LedBar.ColorR = lowByte(r);
        m.LedBar.ColorG = lowByte(g);
        m.LedBar.ColorB = lowByte(b);
    });
}

bool SetKeyAssign(int k, int category, int param1, int param2)
{
    if (!validIndex(k, 16))
        return false;
    return ChangeAndSendFlashData([=](FlashDataMap &m) {
        m.Keys[k].Category = lowByte(category);
        m.Keys[k].Param1 = lowByte(param1);
        m.Keys[k].Param2 = lowByte(param2);
    });
}

bool SetKeyEvents(int k, const unsigned char entry[3], const unsigned char block[52])
{
    if (!validIndex(k, 16))
        return false;
    KeyAssign key;
    KeyEventBlock events;
    std::memcpy(&key, entry, sizeof(KeyAssign));
    std::memcpy(&events, block, sizeof(KeyEventBlock));
    return ChangeAndSendFlashData([=](FlashDataMap &m) {
        m.Keys[k] = key;
        m.KeyEvents[k] = events;
    });
}

bool SetKeyMacro(int k, const unsigned char entry[3], const unsigned char record[592])
{
    if (!validIndex(k, 16))
        return false;
    KeyAssign key;
    MacroRecord macro;
    std::memcpy(&key, entry, sizeof(KeyAssign));
    std::memcpy(&macro, record, sizeof(MacroRecord));
    return ChangeAndSendFlashData([=](FlashDataMap &m) {
        m.Keys[k] = key;
        m.Macros[k] = macro;
    });
}
