#include "PngWriter.h"

#include "platform/vidide/Checksum.h"

#include <QImage>
#include <QtEndian>

namespace {

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
    appendUint32(out, vidide::crc32(reinterpret_cast<const unsigned char *>(typed.constData()),
                                    size_t(typed.size())));
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
