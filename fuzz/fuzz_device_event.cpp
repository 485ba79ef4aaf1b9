// Device events as the library hands them to the program's event callback:
// the first five input bytes are the header, the rest the payload. Bit 0 of
// header byte 2 (which the program does not read) makes a 6912-byte payload
// pass its magic and CRC check, so a full read reaches the pages' signals.
#include "FuzzSupport.h"

#include "device/Worker.h"
#include "platform/vidide/Checksum.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const size_t headerLength = std::min<size_t>(size, VidEventHeaderLength);
    // Copies of their own: a read past either end is seen.
    const std::vector<unsigned char> header(data, data + headerLength);
    std::vector<unsigned char> payload(data + headerLength, data + size);
    if (headerLength > 2 && (header[2] & 1) && payload.size() == size_t(VidFullReadLength)) {
        payload[0] = 'O';
        payload[1] = 'V';
        vidide::putLe32(payload.data() + 2,
                        vidide::crc32(payload.data() + 6, VidFullReadLength - 6));
    }
    OnDeviceEvent(header.empty() ? nullptr : header.data(), int(header.size()),
                  payload.empty() ? nullptr : payload.data(), int(payload.size()));
    // What the callback handed to the GUI thread runs now, so nothing piles up.
    QCoreApplication::sendPostedEvents();
    return 0;
}
