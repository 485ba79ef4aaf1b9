// The device's compact memory format and the decoders of event payloads.
//
// The mouse keeps its parameter block in 6912 bytes, fewer than the 10448 of
// FlashDataMap: the settings head is kept as it is, and every key stroke of the
// key sequences and macros is packed into 41 bits (action 1, kind 2, code 16,
// delay 22). Delays above the 22-bit limit (about 70 minutes) are kept at that
// limit, and the mouse knows only the stroke kinds 0, 1, 2 and 4.

#include "platform/vidide/Checksum.h"
#include "platform/vidide/SimState.h"

#include <cstring>

namespace vidide {
namespace {

constexpr int HeadLength = 0x90;
constexpr int MagicOffset = 0;
constexpr int CrcOffset = 2;
constexpr int HeadOffset = 6;
constexpr int EventCountOffset = HeadOffset + HeadLength;     // 16 bytes
constexpr int MacroHeadOffset = EventCountOffset + 16;        // 16 x 32 bytes
constexpr int StrokeStreamOffset = MacroHeadOffset + 16 * 32; // 1216 x 41 bits
constexpr int StrokeBits = 41;
constexpr uint32_t DelayLimit = (1u << 22) - 1;
constexpr int StrokeSlots = 16 * 6 + 16 * 70;
static_assert(StrokeStreamOffset + (StrokeSlots * StrokeBits + 7) / 8 <= VidFullReadLength,
              "the compact block fits the full-read answer");

class BitWriter
{
public:
    explicit BitWriter(unsigned char *out) : m_out(out) {}
    void put(uint64_t value, int bits)
    {
        for (int i = 0; i < bits; ++i, ++m_pos) {
            if ((value >> i) & 1u)
                m_out[m_pos / 8] |= static_cast<unsigned char>(1u << (m_pos % 8));
        }
    }

private:
    unsigned char *m_out;
    int m_pos = 0;
};

class BitReader
{
public:
    explicit BitReader(const unsigned char *in) : m_in(in) {}
    uint64_t get(int bits)
    {
        uint64_t value = 0;
        for (int i = 0; i < bits; ++i, ++m_pos) {
            if ((m_in[m_pos / 8] >> (m_pos % 8)) & 1u)
                value |= uint64_t(1) << i;
        }
        return value;
    }

private:
    const unsigned char *m_in;
    int m_pos = 0;
};

uint8_t kindToBits(uint8_t kind)
{
    switch (kind) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 4:
        return 3;
    default:
        return 0;
    }
}

void putStroke(BitWriter &writer, const KeyStroke &stroke)
{
    const uint32_t delay = stroke.DelayMs > DelayLimit ? DelayLimit : stroke.DelayMs;
    const uint64_t bits = uint64_t(stroke.Action & 1u) | uint64_t(kindToBits(stroke.Kind)) << 1 |
                          uint64_t(stroke.Code) << 3 | uint64_t(delay) << 19;
    writer.put(bits, StrokeBits);
}

KeyStroke getStroke(BitReader &reader)
{
    static const uint8_t kinds[4] = {0, 1, 2, 4};
    const uint64_t bits = reader.get(StrokeBits);
    KeyStroke stroke{};
    stroke.Action = bits & 1u;
    stroke.Kind = kinds[(bits >> 1) & 3u];
    stroke.Code = static_cast<uint16_t>(bits >> 3);
    stroke.DelayMs = static_cast<uint32_t>(bits >> 19) & DelayLimit;
    return stroke;
}

} // namespace

QByteArray encodeMemory(const FlashDataMap &map)
{
    // Packed in a plain buffer: GCC cannot see that a fresh QByteArray's data()
    // is the detached block and reports the writes as overflowing its header.
    unsigned char out[VidFullReadLength] = {};
    out[MagicOffset] = 'O';
    out[MagicOffset + 1] = 'V';
    std::memcpy(out + HeadOffset, &map, HeadLength);
    for (int k = 0; k < 16; ++k) {
        const uint32_t count = map.KeyEvents[k].StrokeCount;
        out[EventCountOffset + k] = static_cast<unsigned char>(count > 255 ? 255 : count);
        const MacroRecord &macro = map.Macros[k];
        unsigned char *head = out + MacroHeadOffset + 32 * k;
        head[0] = macro.MacroNameLength;
        std::memcpy(head + 1, macro.MacroNameBytes, sizeof(macro.MacroNameBytes));
        head[31] = macro.StrokeCount;
    }
    BitWriter writer(out + StrokeStreamOffset);
    for (const KeyEventBlock &block : map.KeyEvents) {
        for (const KeyStroke &stroke : block.Strokes)
            putStroke(writer, stroke);
    }
    for (const MacroRecord &macro : map.Macros) {
        for (const KeyStroke &stroke : macro.Strokes)
            putStroke(writer, stroke);
    }
    putLe32(out + CrcOffset, crc32(out + HeadOffset, VidFullReadLength - HeadOffset));
    return QByteArray(reinterpret_cast<const char *>(out), VidFullReadLength);
}

bool decodeMemory(const unsigned char *data, int length, FlashDataMap *map)
{
    if (!data || !map || length < VidFullReadLength)
        return false;
    if (data[MagicOffset] != 'O' || data[MagicOffset + 1] != 'V')
        return false;
    if (getLe32(data + CrcOffset) != crc32(data + HeadOffset, VidFullReadLength - HeadOffset))
        return false;
    FlashDataMap result;
    std::memset(&result, 0, sizeof(result));
    std::memcpy(&result, data + HeadOffset, HeadLength);
    for (int k = 0; k < 16; ++k) {
        result.KeyEvents[k].StrokeCount = data[EventCountOffset + k];
        const unsigned char *head = data + MacroHeadOffset + 32 * k;
        result.Macros[k].MacroNameLength = head[0];
        std::memcpy(result.Macros[k].MacroNameBytes, head + 1, 30);
        result.Macros[k].StrokeCount = head[31];
    }
    BitReader reader(data + StrokeStreamOffset);
    for (KeyEventBlock &block : result.KeyEvents) {
        for (KeyStroke &stroke : block.Strokes)
            stroke = getStroke(reader);
    }
    for (MacroRecord &macro : result.Macros) {
        for (KeyStroke &stroke : macro.Strokes)
            stroke = getStroke(reader);
    }
    std::memcpy(map, &result, sizeof(result));
    return true;
}

} // namespace vidide

using namespace vidide;

bool ProtocolDataParser(const unsigned char *payload, FlashDataMap *map, int payloadLen)
{
    logCall("ProtocolDataParser", QString::number(payloadLen));
    return decodeMemory(payload, payloadLen, map);
}

bool BufferToDPILed(const unsigned char *payload, DpiLedBlock *led)
{
    if (!payload || !led ||
        payload[VidDpiLedPayloadLength - 1] != sumCheck(payload, VidDpiLedPayloadLength - 1))
        return false;
    led->EffectOn = payload[0];
    led->EffectMode = payload[1];
    led->EffectBrightness = payload[2];
    led->EffectSpeed = payload[3];
    return true;
}

bool BufferToLedBar(const unsigned char *payload, LedBarBlock *bar)
{
    if (!payload || !bar ||
        payload[VidLedBarPayloadLength - 1] != sumCheck(payload, VidLedBarPayloadLength - 1))
        return false;
    bar->BarOn = payload[0];
    bar->BarMode = payload[1];
    bar->ColorR = payload[2];
    bar->ColorG = payload[3];
    bar->ColorB = payload[4];
    bar->BarSpeed = payload[5];
    bar->BarBrightness = payload[6];
    return true;
}

bool GetDeviceBatteryStatus(const unsigned char *payload, unsigned char *status)
{
    if (!payload || !status ||
        payload[VidBatteryPayloadLength - 1] != sumCheck(payload, VidBatteryPayloadLength - 1))
        return false;
    status[0] = payload[0] > 100 ? 100 : payload[0];
    status[1] = payload[1] ? 1 : 0;
    status[2] = 0;
    status[3] = 0;
    return true;
}

bool GetDeviceStatusChanged(const unsigned char *payload, unsigned char *flags)
{
    if (!payload || !flags)
        return false;
    for (int i = 0; i < 7; ++i)
        flags[i] = (payload[0] >> i) & 1u;
    return true;
}
