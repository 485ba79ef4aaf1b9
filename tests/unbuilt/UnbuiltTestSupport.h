#pragma once

// The simulated wired mouse made current, with the block read from it, so
// the field setters reach it; and what the tests read back of it.

#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include "../support/DeviceFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

#include <cstring>

namespace UnbuiltTest {

const int WiredMouse = 1; // the wired mouse of the built-in device set

inline void noEvents(const unsigned char *, int, const unsigned char *, int) {}

// Fresh simulation, the wired mouse current and owner of its block, device
// data shown, no page filling.
inline FlashDataMap makeWiredCurrent()
{
    SimReset(true);
    const QByteArray path(SimDevicePath(WiredMouse));
    DeviceAllInfo info;
    info.Path = QString::fromUtf8(path);
    info.CidMid = 38 | (12 << 8);
    info.ReceiverType = 2;
    info.DriveIndex = 1;
    info.Wired = true;
    info.Online = true;
    SetCurrentDeviceInfo(info);
    SetCurrentDevicePath(path);
    UsbServerC_Start(path.constData(), path.constData(), noEvents);
    FlashDataMap block{};
    SimMouseBlock(WiredMouse, &block);
    ReplaceFlashData(block, {info.Path, CacheFileName(38, 12)});
    ButtonPageFilling = LightPageFilling = SensorPageFilling = false;
    ParamUpdateRunning = false;
    DeviceDataReady = true;
    SimClearCallLog();
    return block;
}

inline FlashDataMap mouseBlock()
{
    FlashDataMap block{};
    SimMouseBlock(WiredMouse, &block);
    return block;
}

inline bool sameBlock(const FlashDataMap &a, const FlashDataMap &b)
{
    return memcmp(&a, &b, sizeof(FlashDataMap)) == 0;
}

inline int blocksSent()
{
    return DeviceFixture::CountCalls("ProtocolDataUpdate");
}

// Every picture named by a style sheet of `widget` or a widget below it that
// does not exist as a file.
inline QStringList missingPictures(QWidget *widget)
{
    QList<QWidget *> all = widget->findChildren<QWidget *>();
    all.prepend(widget);
    QStringList missing;
    const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    for (QWidget *w : all) {
        auto it = url.globalMatch(w->styleSheet());
        while (it.hasNext()) {
            const QString file = it.next().captured(1);
            if (!QFile::exists(file))
                missing << w->objectName() + ": " + file;
        }
    }
    return missing;
}

// Number of pictures named by the style sheets of `widget` and below.
inline int pictureCount(QWidget *widget)
{
    QList<QWidget *> all = widget->findChildren<QWidget *>();
    all.prepend(widget);
    int n = 0;
    for (QWidget *w : all)
        n += w->styleSheet().count(QStringLiteral("url("));
    return n;
}

} // namespace UnbuiltTest
