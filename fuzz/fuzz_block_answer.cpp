// The device's answers as the library's decoders take them. Byte 0 of the
// input chooses; the rest is the payload. With bit 0 set, the payload is
// made a full-read answer that passes its magic and CRC check, so the
// decoding itself is reached; a decoded block must survive a round trip.
#include "FuzzSupport.h"

#include "platform/vidide/Checksum.h"
#include "platform/vidide/SimState.h"
#include "platform/vidide/VidIde.h"

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    std::vector<unsigned char> payload(data + 1, data + size);
    if (data[0] & 1) {
        payload.resize(std::max<size_t>(payload.size(), VidFullReadLength));
        payload[0] = 'O';
        payload[1] = 'V';
        vidide::putLe32(payload.data() + 2,
                        vidide::crc32(payload.data() + 6, VidFullReadLength - 6));
    }
    const int length = int(payload.size());
    FlashDataMap block;
    if (ProtocolDataParser(payload.data(), &block, length)) {
        const QByteArray again = vidide::encodeMemory(block);
        FlashDataMap second;
        if (!ProtocolDataParser(reinterpret_cast<const unsigned char *>(again.constData()), &second,
                                again.size()) ||
            std::memcmp(&block, &second, sizeof(block)) != 0)
            __builtin_trap();
    }
    // The short decoders read a fixed length: the event callback checks it first.
    DpiLedBlock led;
    LedBarBlock bar;
    unsigned char status[7] = {};
    if (length >= VidDpiLedPayloadLength)
        BufferToDPILed(payload.data(), &led);
    if (length >= VidLedBarPayloadLength)
        BufferToLedBar(payload.data(), &bar);
    if (length >= VidBatteryPayloadLength)
        GetDeviceBatteryStatus(payload.data(), status);
    if (length >= 1)
        GetDeviceStatusChanged(payload.data(), status);
    return 0;
}
