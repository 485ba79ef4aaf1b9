#include "platform/vidide/FirmwareImage.h"

#include "platform/vidide/Checksum.h"

#include <cstring>

namespace vidide {
namespace {
const char Tag[8] = {'O', 'R', 'V', 'K', 'F', 'W', '1', '\0'};
}

QByteArray buildFirmwareImage(const FirmwareInfo &info, const QByteArray &body)
{
    QByteArray image(FirmwareHeaderLength, '\0');
    auto *header = reinterpret_cast<unsigned char *>(image.data());
    std::memcpy(header + FirmwareTagOffset, Tag, sizeof(Tag));
    putLe32(header + FirmwareBodyLengthOffset, uint32_t(body.size()));
    putLe32(header + FirmwareBodyCrcOffset,
            crc32(reinterpret_cast<const unsigned char *>(body.constData()), size_t(body.size())));
    putLe32(header + FirmwareVersionOffset, info.version);
    header[FirmwareKindOffset] = info.kind;
    header[FirmwareCidOffset] = info.cid;
    header[FirmwareMidOffset] = info.mid;
    const int nameLength = qMin(info.modelName.size(), FirmwareModelNameLength);
    std::memcpy(header + FirmwareModelNameOffset, info.modelName.constData(), size_t(nameLength));
    image.append(body);
    return image;
}

bool readFirmwareHeader(const unsigned char *image, int length, FirmwareInfo *info)
{
    if (!image || !info || length < FirmwareHeaderLength)
        return false;
    info->version = getLe32(image + FirmwareVersionOffset);
    info->kind = image[FirmwareKindOffset];
    info->cid = image[FirmwareCidOffset];
    info->mid = image[FirmwareMidOffset];
    const char *name = reinterpret_cast<const char *>(image + FirmwareModelNameOffset);
    info->modelName = QByteArray(name, int(qstrnlen(name, FirmwareModelNameLength)));
    return true;
}

FirmwareCheck checkFirmwareImage(const unsigned char *image, int length)
{
    if (!image || length < FirmwareHeaderLength)
        return FirmwareCheck::Short;
    if (std::memcmp(image + FirmwareTagOffset, Tag, sizeof(Tag)) != 0)
        return FirmwareCheck::BadTag;
    const uint32_t bodyLength = getLe32(image + FirmwareBodyLengthOffset);
    if (bodyLength == 0 || bodyLength > uint32_t(FirmwareMaxBodyLength) ||
        bodyLength != uint32_t(length - FirmwareHeaderLength))
        return FirmwareCheck::BadLength;
    if (crc32(image + FirmwareHeaderLength, bodyLength) != getLe32(image + FirmwareBodyCrcOffset))
        return FirmwareCheck::BadBody;
    return FirmwareCheck::Ok;
}

} // namespace vidide
