#include "PngWriter.h"

#include <QImage>
#include <QtEndian>

#include <array>

namespace {

quint32 crc32(const QByteArray &data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char byte : data)
        c = table[(c ^ quint8(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendUint32(QByteArray *out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out->append(bytes, 4);
}

void appendChunk(QByteArray *out, const char type[4], const QByteArray &data)
{
    appendUint32(out, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    out->append(typed);
    appendUint32(out, crc32(typed));
}

bool isOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

} // namespace

QByteArray EncodeUnfilteredPng(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const bool opaque = isOpaque(image);
    const int channels = opaque ? 3 : 4;

    QByteArray rows;
    rows.reserve(image.height() * (1 + image.width() * channels));
    for (int y = 0; y < image.height(); ++y) {
        rows.append('\0'); // filter type "none"
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            rows.append(char(qRed(line[x])));
            rows.append(char(qGreen(line[x])));
            rows.append(char(qBlue(line[x])));
            if (!opaque)
                rows.append(char(qAlpha(line[x])));
        }
    }

    QByteArray header;
    appendUint32(&header, quint32(image.width()));
    appendUint32(&header, quint32(image.height()));
    header.append(char(8));                                 // bits per channel
    header.append(char(opaque ? 2 : 6));                    // RGB or RGBA
    header.append(char(0)).append(char(0)).append(char(0)); // deflate, filters, no interlace

    // The resolution Qt writes too, so a decoded picture is the same QImage.
    QByteArray physical;
    appendUint32(&physical, quint32(image.dotsPerMeterX()));
    appendUint32(&physical, quint32(image.dotsPerMeterY()));
    physical.append(char(1)); // per metre

    // qCompress gives a zlib stream behind a 4-byte length of its own.
    const QByteArray compressed = qCompress(rows, 9).mid(4);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(&png, "IHDR", header);
    appendChunk(&png, "pHYs", physical);
    appendChunk(&png, "IDAT", compressed);
    appendChunk(&png, "IEND", QByteArray());
    return png;
}
