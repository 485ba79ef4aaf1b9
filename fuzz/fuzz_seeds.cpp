// Writes generated seeds for the fuzz targets with the program's own writers:
// fuzz_seeds <seed root>; each seed goes to <seed root>/<target>/.
#include "FuzzSupport.h"

#include "common/MacroIniStore.h"
#include "device/FlashDataStore.h"
#include "device/ProfileFile.h"
#include "platform/Registry.h"
#include "platform/vidide/Checksum.h"
#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/SimState.h"
#include "platform/vidide/VidIde.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>

#include <cstdio>
#include <cstring>

namespace {

QString Root;
bool Failed = false;

void seed(const char *target, const char *name, const QByteArray &bytes)
{
    const QString folder = Root + QLatin1Char('/') + QLatin1String(target);
    QFile file(folder + QStringLiteral("/generated_") + QLatin1String(name));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", qPrintable(file.fileName()));
        Failed = true;
    }
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes of a literal, NULs included.
template <int N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// A short answer with its one-byte check at the end.
template <int N> QByteArray checked(const char (&text)[N])
{
    QByteArray bytes = raw(text);
    bytes.append(char(vidide::sumCheck(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                       size_t(bytes.size()))));
    return bytes;
}

QByteArray header(uint8_t code, uint8_t sub)
{
    const char bytes[VidEventHeaderLength] = {0, char(code), 0, 0, char(sub)};
    return QByteArray(bytes, VidEventHeaderLength);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <seed root>\n");
        return 2;
    }
    FuzzSupport::Start(&argc, &argv, true);
    Root = QFile::decodeName(argv[1]);

    // The simulated wireless mouse's factory block: a block a mouse really holds.
    SimReset(true);
    FlashDataMap block;
    std::memset(&block, 0, sizeof(block));
    if (!SimMouseBlock(0, &block)) {
        std::fprintf(stderr, "fuzz_seeds: the simulated devices hold no mouse\n");
        return 1;
    }
    const QByteArray memory = vidide::encodeMemory(block);

    seed("fuzz_profile_file", "profile.bin", ProfileFile::Build(block, QStringLiteral("PAW3395")));

    const QString cacheName = QStringLiteral("Device_CID26_MID0B.bin");
    if (QDir().mkpath(QFileInfo(CacheFilePath(cacheName)).absolutePath()) &&
        WriteFlashDataCacheFile(cacheName, block))
        seed("fuzz_cache_file", "cache.bin", fileBytes(CacheFilePath(cacheName)));
    else
        Failed = true;

    seed("fuzz_block_answer", "full_read_checked.bin", QByteArray(1, '\1') + memory);
    seed("fuzz_block_answer", "full_read.bin", QByteArray(1, '\0') + memory);
    seed("fuzz_block_answer", "dpi_led.bin", QByteArray(1, '\0') + checked("\1\2\x80\3\0\0\0"));
    seed("fuzz_block_answer", "led_bar.bin", QByteArray(1, '\0') + checked("\1\2\xff\0\x40\5\7\0"));

    seed("fuzz_device_event", "full_read.bin", header(VidEventParameters, VidSubBlock) + memory);
    seed("fuzz_device_event", "report_rate.bin",
         header(VidEventParameters, VidSubBlock) + QByteArray(1, '\1'));
    seed("fuzz_device_event", "dpi_level.bin",
         header(VidEventParameters, VidSubDpiLevel) + QByteArray(1, '\2'));
    seed("fuzz_device_event", "dpi_led.bin",
         header(VidEventParameters, VidSubDpiLed) + checked("\1\2\x80\3\0\0\0"));
    seed("fuzz_device_event", "led_bar.bin",
         header(VidEventParameters, VidSubLedBar) + checked("\1\2\xff\0\x40\5\7\0"));
    seed("fuzz_device_event", "battery.bin", header(VidEventBattery, 0) + checked("\x50\1\0"));
    seed("fuzz_device_event", "status.bin", header(VidEventStatusChanged, 0) + raw("\x7f"));
    seed("fuzz_device_event", "profile.bin", header(VidEventProfile, 0) + raw("\1"));
    seed("fuzz_device_event", "pair.bin", header(VidEventPairStatus, 0) + raw("\3"));
    seed("fuzz_device_event", "version.bin", header(VidEventVersion, 0) + raw("\5\1"));
    seed("fuzz_device_event", "reset.bin", header(VidEventResetDone, 0) + QByteArray(1, '\0'));
    seed("fuzz_device_event", "receiver_light.bin",
         header(VidEventReceiverLight, 0) + QByteArray(10, '\1'));
    seed("fuzz_device_event", "long_range.bin",
         header(VidEventLongRangeChanged, 0) + QByteArray(10, '\0'));

    vidide::FirmwareInfo info;
    info.version = 0x0106;
    info.kind = vidide::FirmwareKindMouse;
    info.cid = 38;
    info.mid = 11;
    info.modelName = "ORVAK-TW1";
    seed("fuzz_firmware_header", "mouse.bin", vidide::buildFirmwareImage(info, "mouse body"));
    info.kind = vidide::FirmwareKindReceiver;
    info.modelName = "ORVAK-RX1K";
    seed("fuzz_firmware_header", "receiver.bin", vidide::buildFirmwareImage(info, "receiver"));

    vidide::savePersistedState();
    seed("fuzz_sim_state", "state.json", fileBytes(SimStateFile()));

    seed("fuzz_macro_file", "keys.ini", "1\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n");
    seed("fuzz_macro_file", "modes.ini", "254\n0x02 0 0\n0x1E 1 0\n5ms\n0x1E 1 1\n0x02 0 1\n");

    // A macro export as the macro page writes it: blocks of 12, 48 and 12
    // bytes, the item count, then text, icon and (key items) the press flag.
    QByteArray exported;
    {
        QDataStream out(&exported, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_6);
        auto block = [&out](const QByteArray &text, int size) {
            const QByteArray bytes = text + QByteArray(size - text.size(), '\0');
            out.writeBytes(bytes.constData(), uint(bytes.size()));
        };
        block("Zudod", 12);
        block("macro", 48);
        block("3", 12);
        QPixmap picture(4, 4);
        picture.fill(Qt::red);
        out << qint32(3) << QStringLiteral("+A") << QIcon(picture);
        out.writeBytes("0", 2);
        out << QStringLiteral("10ms") << QIcon();
        out << QStringLiteral("-A") << QIcon(picture);
        out.writeBytes("1", 2);
    }
    seed("fuzz_macro_export", "export.ini", exported);

    // The settings files as their stores write them.
    const QString preferences = QDir::home().filePath(QStringLiteral("seed-Macro.ini"));
    {
        MacroIniStore store(preferences);
        store.SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("1"));
        store.SetValue(QStringLiteral("AutoStart"), QStringLiteral("Enable"), QStringLiteral("1"));
        store.SetValue(QStringLiteral("FindNew"), QStringLiteral("IsShow"), QStringLiteral("0"));
    }
    seed("fuzz_macro_ini", "Macro.ini", fileBytes(preferences));
    const QString records = QDir::home().filePath(QStringLiteral("seed-Registry.ini"));
    {
        Registry registry(records);
        registry.setValue(Registry::productKey(), QStringLiteral("LanguageIndex"), 2);
        registry.setValue(Registry::mouseDriveTestKey(), QStringLiteral("MouseVer2612"),
                          QStringLiteral("0107"));
        registry.setValue(Registry::mouseDriveTestKey(), QStringLiteral("ReceiverVer26"),
                          QStringLiteral("0203"));
    }
    seed("fuzz_registry_ini", "Registry.ini", fileBytes(records));

    // Four bytes of piece sizes, then what the tool sends.
    seed("fuzz_sim_framing", "list.bin", raw("\x7f\x7f\x7f\x7flist\n"));
    seed("fuzz_sim_framing", "pieces.bin",
         raw("\x01\x02\x03\x04"
             "battery 0 15\n"));
    seed("fuzz_sim_framing", "two.bin", raw("\x05\x05\x05\x05unplug 1\nunplug 0\n"));
    seed("fuzz_sim_framing", "long.bin", raw("\x40\x40\x40\x40") + QByteArray(300, 'x') + '\n');

    seed("fuzz_sim_tool_args", "list.bin", raw("list"));
    seed("fuzz_sim_tool_args", "socket.bin",
         raw("--socket\0/run/sock\0battery\0"
             "0\0"
             "15"));
    seed("fuzz_sim_tool_args", "help.bin", raw("-h"));

    return Failed ? 1 : 0;
}
