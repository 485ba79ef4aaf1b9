// Keyboard and mouse handling of the main window: dragging the frameless
// window, Enter for the chooser, and Space for pairing or the firmware check of
// the one connected receiver.
#include "app/DialogMain.h"

#include "app/Dialog.h"
#include "common/ConfigIniStore.h"
#include "common/ContainReset.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "common/UpDateWarning.h"
#include "device/DeviceState.h"
#include "device/Match.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/Registry.h"
#include "platform/vidide/VidIde.h"
#include "settings/FirmwareImages.h"
#include "settings/UpDateRepair.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// A greyed-out control ignores a press, and Qt hands the press on to the
// window as if it fell on free space. The window moves only for presses on
// its free area, so such a press must not start a drag.
bool onDisabledControl(QWidget *window, const QPoint &pos)
{
    for (QWidget *w = window->childAt(pos); w && w != window; w = w->parentWidget()) {
        if (w->isEnabled())
            continue;
        if (qobject_cast<QAbstractSlider *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
            qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w) ||
            qobject_cast<QAbstractButton *>(w))
            return true;
    }
    return false;
}

} // namespace

void DialogMain::mousePressEvent(QMouseEvent *event)
{
    PressPos = event->globalPos();
    WindowPos = pos();
    DragOffset = onDisabledControl(this, event->pos()) ? QPoint(0, 0) : PressPos - WindowPos;
}

void DialogMain::mouseReleaseEvent(QMouseEvent *)
{
    DragOffset = QPoint(0, 0);
}

void DialogMain::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::LeftButton || isMaximized() || DragOffset == QPoint(0, 0))
        return;
    move(event->globalPos() - DragOffset);
}

void DialogMain::keyPressEvent(QKeyEvent *event)
{
    if (MacroRecording)
        return;
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F12:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit PostMsg::GetInstance()->SigEnterKey();
        return;
    case Qt::Key_Space:
        break;
    default:
        // The plain widget handler: QDialog's own keys (Esc closes) never apply.
        QWidget::keyPressEvent(event);
        return;
    }
    if (onDeviceWindow())
        PairDevice(true);
    else
        CheckReceiverFirmware();
}

void DialogMain::PairDevice(bool useChosenDevice)
{
    PairUsesChosenDevice = useChosenDevice;
    {
        Match match;
        match.PreparePair();
        PlaceDialog(&match, 0, 0);
        DialogSeam::exec(match);
    }
    // The pairing dialog handed the library its own callback.
    const char *path = CurrentDevicePathPtr;
    UsbServerC_Start(path, path, OnDeviceEvent);
}

void DialogMain::CheckReceiverFirmware()
{
    if (FoundDevices.size() != 1 || FoundDevices.first().Wired)
        return;
    const DeviceAllInfo device = FoundDevices.first();
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    const QString group = "Drive" + QString::number(device.DriveIndex + 1);
    const QString cid = config->GetValue("Option", "CID");
    const QString mid = config->GetValue(group, "MID");

    const QString mouseVersion = Registry::instance()
                                     ->value(Registry::mouseDriveTestKey(), "MouseVer" + cid + mid)
                                     .toString();
    if (mouseVersion.isEmpty()) {
        PairDevice(false);
        return;
    }
    const bool mouseNew = LoadUpgradeImage(210, mouseVersion, config->GetValue(group, "MM"),
                                           cid.toInt(), mid.toInt());

    UpDateRepair repair;
    PlaceDialog(&repair, 0, 0);

    QString nameKey;
    switch (device.ReceiverType) {
    case 0:
        nameKey = "DM";
        break;
    case 1:
        nameKey = "D4M";
        break;
    case 4:
        nameKey = "D2M";
        break;
    case 5:
        nameKey = "D8M";
        break;
    default:
        break;
    }
    const QString receiverName = nameKey.isEmpty() ? QString() : config->GetValue(group, nameKey);
    bool receiverNew = false;
    if (!nameKey.isEmpty() && (nameKey == "DM" || !receiverName.isEmpty()))
        receiverNew =
            LoadRepairImage(211, device.DongleVersionText, receiverName, cid.toInt(), mid.toInt());

    if (receiverNew == mouseNew) {
        PairDevice(false);
    } else if (mouseNew) {
        UpDateWarning warning;
        warning.SetText(WiredModeText);
        PlaceDialog(&warning, -20, 0);
        warning.exec();
    } else {
        ContainReset confirm;
        confirm.SetText(HomeLabels[CurrentLanguage]["NewVerTips"]);
        PlaceDialog(&confirm, -20, 0);
        confirm.exec();
        if (confirm.OkChosen && repair.StartAutoRepair(0))
            DialogSeam::exec(repair);
    }
}
