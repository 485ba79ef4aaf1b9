#pragma once

// The mouse's parameter block and the small device records around it. These
// are device formats: packed, little-endian, every byte is sent to the device
// as it stands, so the layouts are pinned by static_assert below.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One DPI level: the sensor's codes of both axes, the range-mode bits and the
// level's indicator colour.
struct DpiLevel
{
    uint8_t XCode;
    uint8_t YCode;
    uint8_t Flags;
    uint8_t ColorR;
    uint8_t ColorG;
    uint8_t ColorB;
};

// DPI indicator light. The shown mode is EffectMode while EffectOn is 1, else off.
struct DpiLedBlock
{
    uint8_t EffectMode;       // 1 steady, 2 breathing
    uint8_t EffectBrightness; // 16 .. 255
    uint8_t EffectSpeed;      // 1 .. 5
    uint8_t EffectOn;
};

// Light bar of the mouse; the receiver's light bar uses the same record.
struct LedBarBlock
{
    uint8_t BarMode; // 0 .. 5
    uint8_t ColorR;
    uint8_t ColorG;
    uint8_t ColorB;
    uint8_t BarSpeed;      // 0 .. 9
    uint8_t BarBrightness; // 0 .. 9
    uint8_t BarOn;
};

// Function of one button.
struct KeyAssign
{
    uint8_t Category;
    uint8_t Param1;
    uint8_t Param2;
};

// One key event of a key sequence or a macro.
struct KeyStroke
{
    uint8_t Action; // 0 press, 1 release
    uint8_t Kind;   // 0 modifier bit, 1 keyboard usage, 2 consumer usage, 4 mouse button bit
    uint16_t Code;
    uint32_t DelayMs;
};

// Short key sequence of a button (key combination or multimedia key).
struct KeyEventBlock
{
    uint32_t StrokeCount; // 0 .. 6
    KeyStroke Strokes[6];
};

// Macro of a button.
struct MacroRecord
{
    uint8_t MacroNameLength;
    uint8_t MacroNameBytes[30]; // local 8-bit text, not terminated
    uint8_t StrokeCount;        // 0 .. 70
    KeyStroke Strokes[70];
};

// The whole parameter block of a mouse (10448 bytes). Bytes the program does
// not interpret travel unchanged between the decoder and the writer.
struct FlashDataMap
{
    uint8_t ReportRateCode; // 8 = 125 Hz, 4, 2, 1 = 1000 Hz, 0x10, 0x20, 0x40 = 8000 Hz
    uint8_t DpiLevelCount;  // 1 .. 8
    uint8_t CurrentDpiLevel;
    uint8_t Reserved03;
    uint8_t Scan20KOn;
    uint8_t LodCode; // 1 = 1 mm, 2 = 2 mm, 3 = 0.7 mm
    uint8_t DebounceMs;
    uint8_t MotionSyncOn;
    uint8_t SleepTimeCode; // units of 10 s
    uint8_t StraightLineOn;
    uint8_t RippleControlOn;
    uint8_t LightOffWhileMoving;
    uint8_t PerformanceOn;
    uint8_t PerformanceTimeCode; // units of 10 s
    uint8_t SensorModeIndex;
    int8_t AngleDegrees; // -30 .. +30
    uint8_t AngleEnabled;
    uint8_t Reserved11[19];
    DpiLevel DpiLevels[8];
    DpiLedBlock DpiLed;
    LedBarBlock LedBar;
    KeyAssign Keys[16];
    uint8_t Reserved8F;
    KeyEventBlock KeyEvents[16];
    MacroRecord Macros[16];
};

// Receiver record of the 4K receiver. Only IndicatorMode has a meaning for the
// program (what the single LED shows, 1..3; 0 none); the other bytes belong to
// the device library and go back unchanged.
struct DongleRGB
{
    uint8_t IndicatorMode;
    uint8_t LibraryBytes[9];
};

// Function code (0..3) of each of the receiver's three indicator LEDs.
struct DongleIndicatorLed
{
    uint8_t Led[3];
};

// Identity of a receiver written into a wired mouse: the receiver address in
// reverse order, a zero byte and the receiver class code.
struct ReceiverId
{
    uint8_t Address[3];
    uint8_t Zero;
    uint8_t ClassCode; // 0 for the 1K, 1 for the 2K and 4K, 4 for the 8K receiver
};

#pragma pack(pop)

static_assert(sizeof(DpiLevel) == 6, "DpiLevel is 6 bytes");
static_assert(sizeof(DpiLedBlock) == 4, "DpiLedBlock is 4 bytes");
static_assert(sizeof(LedBarBlock) == 7, "LedBarBlock is 7 bytes");
static_assert(sizeof(KeyAssign) == 3, "KeyAssign is 3 bytes");
static_assert(sizeof(KeyStroke) == 8, "KeyStroke is 8 bytes");
static_assert(offsetof(KeyStroke, Code) == 2 && offsetof(KeyStroke, DelayMs) == 4,
              "KeyStroke layout");
static_assert(sizeof(KeyEventBlock) == 52, "KeyEventBlock is 52 bytes");
static_assert(offsetof(KeyEventBlock, Strokes) == 4, "KeyEventBlock layout");
static_assert(sizeof(MacroRecord) == 592, "MacroRecord is 592 bytes");
static_assert(offsetof(MacroRecord, StrokeCount) == 31 && offsetof(MacroRecord, Strokes) == 32,
              "MacroRecord layout");
static_assert(sizeof(DongleRGB) == 10, "DongleRGB is 10 bytes");
static_assert(sizeof(DongleIndicatorLed) == 3, "DongleIndicatorLed is 3 bytes");
static_assert(sizeof(ReceiverId) == 5, "ReceiverId is 5 bytes");

static_assert(sizeof(FlashDataMap) == 10448, "FlashDataMap is 10448 bytes");
static_assert(offsetof(FlashDataMap, ReportRateCode) == 0x00, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, Reserved03) == 0x03, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, DebounceMs) == 0x06, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, LightOffWhileMoving) == 0x0B, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, SensorModeIndex) == 0x0E, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, AngleDegrees) == 0x0F, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, AngleEnabled) == 0x10, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, Reserved11) == 0x11, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, DpiLevels) == 0x24, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, DpiLed) == 0x54, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, LedBar) == 0x58, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, Keys) == 0x5F, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, Reserved8F) == 0x8F, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, KeyEvents) == 0x90, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, Macros) == 0x3D0, "FlashDataMap layout");
