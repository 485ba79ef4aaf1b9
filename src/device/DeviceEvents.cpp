// The device event callback: decodes the bound device's answers on the
// library's event thread and tells the pages through the hub.
#include "device/Worker.h"

#include "common/ConfigIniStore.h"
#include "common/StorageNotice.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceField.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "platform/Registry.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QDebug>

#include <cstring>

std::atomic<int> ShowBatteryValueSetting{0};

namespace {

// Out-buffer of the status-change decoder; used on the event thread only.
unsigned char StatusChangeFlags[7] = {};

ConfigIniStore *store()
{
    return ConfigIniStore::GetInstance();
}

// Runs `f` on the GUI thread, after the events already queued there.
template <typename F> void postToGui(F f)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), f, Qt::QueuedConnection);
}

void fullRead(const unsigned char *payload, int payloadLen)
{
    // Parsed into a block of its own: the shared block is replaced only by a
    // complete, checked parse, so no setter ever sends a half-filled block.
    FlashDataMap block;
    std::memset(&block, 0, sizeof(block));
    if (!ProtocolDataParser(payload, &block, payloadLen)) {
        qWarning() << "parameter block answer refused by the parser; ignored";
        return;
    }
    // A profile taken on the mouse while the read was on its way: the answer
    // may hold the former profile, and its write-back would copy it into the
    // new one. It is dropped and the profile the mouse runs is read.
    int profile = -1;
    if (!ReadAnswerOfRunningProfile(&profile)) {
        qWarning() << "the mouse took another profile during the read; read again";
        NoteDeviceProfile(profile);
        RequestProfileRead();
        return;
    }
    // The mouse's own values from here on (the receiver's answers below too).
    const bool valuesWereUnknown = DeviceField::ValuesUnknown();
    DeviceField::SetValuesUnknown(false);
    const DeviceAllInfo info = CurrentDeviceSnapshot();
    FlashDataOwnerInfo owner;
    owner.Path = QString::fromUtf8(CurrentDevicePathCopy());
    owner.CacheName = CacheFileNameOf(info);
    SetLoadedCacheName(owner.CacheName);

    UsbServer_ReadDPILed();
    UsbServer_ReadBatteryLevel();
    UsbServer_ReadVersion();
    UsbServer_ReadConfig();

    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigIsUsb(info.Wired, true);

    if (!SkipReceiverQueries) {
        const QByteArray path = info.Path.toLatin1();
        if (!info.Wired && info.ReceiverType == 1) {
            UsbFinderC_Get4KDongleRGBValue(path.constData(), CurrentDongleRGB);
            if (CurrentDongleRGB->IndicatorMode != 0)
                emit hub->SigRGBValue(CurrentDongleRGB);
        }
        unsigned char probe = 0x73;
        UsbFinderC_GetLongRangeMode(path.constData(), &probe);
        if (probe != 0x73 && probe != 0)
            emit hub->SigLongRangeMode(true);
    }
    SkipReceiverQueries = false;

    if (ClearUnusedMacros.exchange(false)) {
        QList<QStringList> keyLists;
        const QString group = DeviceCatalogue::Group(info.DriveIndex);
        for (int i = 1; i <= 6; ++i)
            keyLists.append(
                store()->GetValueList(group, QStringLiteral("KeyParam") + QString::number(i)));
        ClearSpareMacroSlots(block, keyLists);
    }

    ReplaceAndSendFlashData(block, owner, profile);
    // The mouse left the read's profile just before the write-back: nothing
    // was sent, and the new profile's read is on its way. The pages were not
    // filled, so what they show is still not the mouse's.
    if (FlashDataAwaitingRead()) {
        if (valuesWereUnknown)
            DeviceField::SetValuesUnknown(true);
        return;
    }

    ButtonPageUpdated = false;
    LightPageUpdated = false;
    SensorPageUpdated = false;

    emit hub->SigUpDataLightUIButton(block);
    emit hub->SigUpDataLightLight(block);
    emit hub->SigUpDataLightSensor(block);
    emit hub->SigForm();

    // A pending worker request is left alone: it may be for another device
    // chosen since this read was asked for (the pass takes its own request).
    DeviceAnswered = true;
}

void resetFollowUp()
{
    UsbServer_SetBatteryOptimizeEnable(true);
    const DeviceAllInfo info = CurrentDeviceSnapshot();
    const QStringList defaults =
        store()->GetValueList(DeviceCatalogue::Group(info.DriveIndex), QStringLiteral("Adveanced"));
    const QByteArray path = info.Path.toLatin1();
    PostMsg *hub = PostMsg::GetInstance();
    // A model without the items has no receiver light and no long-range default.
    if (defaults.size() > 1) {
        const int indicator = defaults.at(1).toInt();
        if (indicator > 0 && !info.Wired && info.ReceiverType == 1) {
            CurrentDongleRGB->IndicatorMode = static_cast<uint8_t>(indicator);
            UsbFinderC_Set4KDongleRGB(path.constData(), CurrentDongleRGB);
            if (CurrentDongleRGB->IndicatorMode != 0)
                emit hub->SigRGBValue(CurrentDongleRGB);
        }
    }
    if (!defaults.isEmpty()) {
        bool isNumber = false;
        const int longRange = defaults.at(0).toInt(&isNumber);
        if (isNumber && (longRange == 0 || longRange == 1)) {
            UsbFinderC_SetLongRangeMode(path.constData(), longRange == 1);
            emit hub->SigLongRangeMode(longRange == 1);
        }
    }
    NoteReadRequested();
    UsbServer_ReadAllFlashData();
    ClearUnusedMacros = true;
    SkipReceiverQueries = true;
}

void versionFollowUp()
{
    const DeviceAllInfo info = CurrentDeviceSnapshot();
    const int v = UsbFinderC_GetVersion(info.Path.toUtf8().constData());
    const QString text = VersionText(v);
    const QString infoPath = info.Path;
    postToGui([infoPath, text] {
        if (CurrentDeviceInfo.Path == infoPath) {
            DeviceAllInfo updated = CurrentDeviceInfo;
            updated.MouseVersionText = text;
            SetCurrentDeviceInfo(updated);
        }
    });
    emit PostMsg::GetInstance()->SigSetver(0);
    const QString name =
        QStringLiteral("MouseVer") +
        store()->GetValue(QStringLiteral("Option"), QStringLiteral("CID")) +
        store()->GetValue(DeviceCatalogue::Group(info.DriveIndex), QStringLiteral("MID"));
    Registry *registry = Registry::instance();
    if (!registry->setValue(Registry::mouseDriveTestKey(), name, text))
        StorageNotice::Report(StorageNotice::Kind::Registry, registry->filePath(),
                              QStringLiteral("the firmware version was not kept"));
}

void parametersEvent(int sub, const unsigned char *payload, int payloadLen)
{
    PostMsg *hub = PostMsg::GetInstance();
    if (sub == VidSubBlock && payloadLen == VidFullReadLength) {
        fullRead(payload, payloadLen);
    } else if (sub == VidSubBlock && payloadLen == 1) {
        const uint8_t code = payload[0];
        ApplyDeviceAnswer([code](FlashDataMap &m) { m.ReportRateCode = code; }, true);
        emit hub->SigUpDataReportRate(code);
    } else if (sub == VidSubDpiLevel && payloadLen == 1) {
        const uint8_t level = payload[0];
        ApplyDeviceAnswer([level](FlashDataMap &m) { m.CurrentDpiLevel = level; }, true);
        emit hub->SigUpDataDPI(level);
    } else if (sub == VidSubDpiLed && payloadLen == VidDpiLedPayloadLength) {
        // Decoded first: an answer that fails its check changes nothing.
        DpiLedBlock led;
        if (!BufferToDPILed(payload, &led))
            return;
        emit hub->SigUpDataDPILed(
            ApplyDeviceAnswer([led](FlashDataMap &m) { m.DpiLed = led; }, false));
    } else if (sub == VidSubLedBar && payloadLen == VidLedBarPayloadLength) {
        LedBarBlock bar;
        if (!BufferToLedBar(payload, &bar))
            return;
        emit hub->SigUpDataLightLight(
            ApplyDeviceAnswer([bar](FlashDataMap &m) { m.LedBar = bar; }, false));
    }
}

} // namespace

int Worker::SettingsRefreshMs = 3000;
int Worker::ProfileReportWaitMs = 500;

bool SwitchProfile(int index)
{
    // Awaited before the request: its answer may come before the call returns.
    NoteProfileReportAwaited();
    if (UsbServer_SetCurrentConfig(uint8_t(index & 0xFF)))
        return true;
    ClearProfileReportAwaited();
    return false;
}

void CheckRunningProfile()
{
    uint8_t running = 0;
    // A mouse that does not answer now is read again when it answers.
    if (!UsbServer_GetCurrentConfig(&running))
        return;
    if (NoteDeviceProfile(running)) {
        ProfileReadPending = true;
        RelinkPending = true;
    }
    // The box shows the profile the mouse runs, whether it took the pick or not.
    emit PostMsg::GetInstance()->SigUpDataConfigUI(4, running, true);
}

// The block held is another profile's: the worker reads the new one on the
// road of any read (pages, cache); the setters refuse until it is in.
void RequestProfileRead()
{
    ProfileReadPending = true;
    RelinkPending = true;
    postToGui([] {
        if (WorkerThread)
            WorkerThread->RequestRun();
    });
}

QList<int> ClearSpareMacroSlots(FlashDataMap &block, const QList<QStringList> &keyParamLists)
{
    QList<int> kept;
    for (int i = 0; i < keyParamLists.size(); ++i) {
        const QStringList &list = keyParamLists.at(i);
        if (!list.isEmpty() && list.first() == QLatin1String("0x05"))
            kept.append(i);
    }
    if (kept.isEmpty()) {
        std::memset(&block.KeyEvents, 0, sizeof(block) - offsetof(FlashDataMap, KeyEvents));
        return kept;
    }
    for (int j = 0; j < 16; ++j) {
        if (kept.contains(j))
            continue;
        std::memset(&block.KeyEvents[j], 0, sizeof(KeyEventBlock));
        std::memset(&block.Macros[j], 0, sizeof(MacroRecord));
    }
    return kept;
}

void RefreshChangedValues()
{
    if (StatusChangeFlags[0])
        UsbServer_ReadCurrentDPI();
    if (StatusChangeFlags[1])
        UsbServer_ReadReportRate();
    if (StatusChangeFlags[6])
        UsbServer_ReadBatteryLevel();
    if (StatusChangeFlags[5])
        UsbServer_ReadLedBar();
    if (StatusChangeFlags[3])
        UsbServer_ReadDPILed();
    if (StatusChangeFlags[2]) {
        // The change may be another onboard profile taken on the mouse: its
        // profile answer tells, and a switch is read at once whatever the
        // interval below (the block held would otherwise be sent over it).
        NoteProfileReportAwaited();
        if (!UsbServer_ReadConfig())
            ClearProfileReportAwaited();
        static QMutex timerMutex;
        QMutexLocker locker(&timerMutex);
        if (FullRefreshTimer().elapsed() > Worker::SettingsRefreshMs) {
            FullRefreshTimer().restart();
            ReloadWhenOnline = true;
            SettingsRefreshPending = true;
        }
    }
}

void OnDeviceEvent(const unsigned char *hdr, int hdrLen, const unsigned char *payload,
                   int payloadLen)
{
    auto headerByte = [hdr, hdrLen](int index) -> int {
        return (hdr && index < hdrLen) ? hdr[index] : 0;
    };
    if (payloadLen < 0 || (payloadLen > 0 && !payload))
        return;
    const int code = headerByte(1);
    const int reserved = headerByte(3);
    const int sub = headerByte(4);
    PostMsg *hub = PostMsg::GetInstance();

    switch (code) {
    case VidEventBattery: {
        if (payloadLen < VidBatteryPayloadLength)
            return;
        unsigned char status[4] = {};
        if (!GetDeviceBatteryStatus(payload, status))
            return; // a level that fails its check is no level
        emit hub->SigBattery(status[1] != 0, status[0], ShowBatteryValueSetting == 1);
        break;
    }
    case VidEventParameters:
        if (reserved == 0)
            parametersEvent(sub, payload, payloadLen);
        break;
    case VidEventResetDone:
        resetFollowUp();
        break;
    case VidEventStatusChanged:
        if (payloadLen < 1)
            return;
        std::memset(StatusChangeFlags, 0, sizeof(StatusChangeFlags));
        GetDeviceStatusChanged(payload, StatusChangeFlags);
        RefreshChangedValues();
        break;
    case VidEventProfile:
        ClearProfileReportAwaited();
        if (payloadLen == 1) {
            if (NoteDeviceProfile(payload[0]))
                RequestProfileRead();
            emit hub->SigUpDataConfigUI(4, payload[0], true);
        } else {
            emit hub->SigUpDataConfigUI(0, 0, false);
        }
        break;
    case VidEventVersion:
        versionFollowUp();
        break;
    case VidEventReceiverLight:
        if (CurrentDongleRGB)
            emit hub->SigRGBValue(CurrentDongleRGB);
        break;
    case VidEventLongRangeChanged:
        if (payloadLen == 10)
            emit hub->SigLongRangeMode(false);
        break;
    default:
        break;
    }
}
