#pragma once

// Firmware image files: a 728-byte header naming kind, version, customer id,
// model id and model name, then the body. The first 16 header bytes carry the
// library's own integrity record of the body: a tag, the body length and the
// CRC-32 of the body.

#include <QByteArray>

#include <cstdint>

namespace vidide {

constexpr int FirmwareHeaderLength = 728;
constexpr int FirmwareTagOffset = 0; // 8 bytes "ORVKFW1\0"
constexpr int FirmwareBodyLengthOffset = 8;
constexpr int FirmwareBodyCrcOffset = 12;
constexpr int FirmwareVersionOffset = 16;
constexpr int FirmwareKindOffset = 20;
constexpr int FirmwareCidOffset = 21;
constexpr int FirmwareMidOffset = 22;
constexpr int FirmwareModelNameOffset = 87;
constexpr int FirmwareModelNameLength = 64;
// No mouse or receiver of the family has more program flash than this; a
// larger body is not an image of theirs, and readers refuse it unread.
constexpr int FirmwareMaxBodyLength = 1024 * 1024;
constexpr int FirmwareMaxImageLength = FirmwareHeaderLength + FirmwareMaxBodyLength;
constexpr uint8_t FirmwareKindMouse = 210;
constexpr uint8_t FirmwareKindReceiver = 211;

struct FirmwareInfo
{
    uint32_t version = 0; // (major << 8) + minor
    uint8_t kind = 0;
    uint8_t cid = 0;
    uint8_t mid = 0;
    QByteArray modelName; // at most 64 bytes, no NUL
};

enum class FirmwareCheck
{
    Ok,
    Short,
    BadTag,
    BadLength,
    BadBody
};

// Builds a whole image file; the model name is cut to 64 bytes.
QByteArray buildFirmwareImage(const FirmwareInfo &info, const QByteArray &body);
// Reads the header fields; false when the buffer is shorter than the header.
bool readFirmwareHeader(const unsigned char *image, int length, FirmwareInfo *info);
// Checks the whole image: header present, tag, body length and body CRC.
FirmwareCheck checkFirmwareImage(const unsigned char *image, int length);

} // namespace vidide
