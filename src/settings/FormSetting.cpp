#include "settings/FormSetting.h"

#include "app/PagePlaceholder.h"
#include "app/PostMsg.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FirmwareHooks.h"
#include "settings/FirmwareImages.h"
#include "settings/UpDateRepair.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>

FormSetting::FormSetting(QWidget *parent) : QWidget(parent)
{
    Title = BuildPagePlaceholder(this, "Settings");
    if (!RepairDialog)
        RepairDialog = new UpDateRepair(nullptr);
    InstallFirmwareHooks();

    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigLabelText(int, QString)), this, SLOT(SlotLabelText(int, QString)));
    connect(hub, SIGNAL(SigLabelTextB(QString, QString)), this,
            SLOT(SlotLabelTextB(QString, QString)));
    connect(hub, SIGNAL(SigSetver(int)), this, SLOT(SetVer(int)));
    connect(hub, SIGNAL(SigRGBValue(DongleRGB *)), this, SLOT(SlotRGBValue(DongleRGB *)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetForm()),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigLanguageSameB(int)), this, SLOT(SlotLanguageSameB(int)));
    connect(hub, SIGNAL(SigCheckUpdate()), this, SLOT(SlotCheckUpdate()));
    connect(hub, SIGNAL(SigSetNewVer()), this, SLOT(SetVerText()));
    connect(hub, SIGNAL(SigLightToFrom(int)), this, SLOT(SlotLightToFrom(int)));
    connect(hub, SIGNAL(SigContinue(int)), this, SLOT(SlotContinue(int)));
    connect(hub, SIGNAL(SigUpdateStart()), this, SLOT(on_Start()));
    connect(hub, SIGNAL(SigUpdateFrame(bool)), this, SLOT(SlotUpdateFrame(bool)));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

FormSetting::~FormSetting() = default;

// The chooser and the device page's hot-plug callback reach the image
// searches and the repair dialog through these hooks.
void FormSetting::InstallFirmwareHooks()
{
    FirmwareHooks::LoadUpgradeImage = LoadUpgradeImage;
    FirmwareHooks::LoadRepairImage = LoadRepairImage;
    FirmwareHooks::HasNewFirmware = HasNewFirmware;
    FirmwareHooks::RepairDialogVisible = [] { return RepairDialog && RepairDialog->isVisible(); };
    // No upgrade of the settings page can run before the upgrade engine exists.
    FirmwareHooks::SettingsUpgradeRunning = [] { return false; };
    FirmwareHooks::ShowRepairDialog = [](QWidget *chooser) {
        if (!RepairDialog || !chooser)
            return;
        const QPoint p = chooser->mapToGlobal(QPoint(0, 0));
        RepairDialog->move(p.x() + (chooser->width() - RepairDialog->width()) / 2,
                           p.y() + (chooser->height() - RepairDialog->height()) / 2);
        RepairDialog->ResetView();
        RepairDialog->setModal(true);
        RepairDialog->show();
    };
}

namespace {

// Receiver (R) and mouse (M) version texts of the current device.
void versionTexts(QString &receiver, QString &mouse)
{
    const DeviceAllInfo &device = CurrentDeviceInfo;
    receiver = device.DongleVersionText;
    mouse = device.Online ? device.MouseVersionText : QString();
    if (device.Online && device.Wired) {
        receiver.clear();
        if (ModelDevices.size() == 2) {
            for (const DeviceAllInfo &other : ModelDevices) {
                if (!other.ReceiverAddress.isEmpty() && !other.Wired) {
                    receiver = other.DongleVersionText;
                    break;
                }
            }
        }
    }
}

int variantOfType(int type)
{
    switch (type) {
    case 0:
        return 1;
    case 1:
        return 4;
    case 4:
        return 2;
    case 5:
        return 8;
    default:
        return 0;
    }
}

int receiverVariant()
{
    const DeviceAllInfo &device = CurrentDeviceInfo;
    if (!device.Wired)
        return variantOfType(device.ReceiverType);
    if (ModelDevices.size() != 2)
        return 0;
    for (const DeviceAllInfo &other : ModelDevices) {
        if (!other.ReceiverAddress.isEmpty() && !other.Wired && variantOfType(other.ReceiverType))
            return variantOfType(other.ReceiverType);
    }
    return 0;
}

} // namespace

// Only the version reports that feed the summary panel are kept here; the
// page's own labels and upgrade buttons come with the settings work.
void FormSetting::SetVer(int index)
{
    PostMsg *hub = PostMsg::GetInstance();
    if (index == 0 || index == 5) {
        QString receiver, mouse;
        versionTexts(receiver, mouse);
        if (index == 0 && QDir(QCoreApplication::applicationDirPath() + "/bin").exists()) {
            const int variant = receiverVariant();
            MouseHasNewFirmware = HasNewFirmware(210, mouse, variant);
            ReceiverHasNewFirmware = HasNewFirmware(211, receiver, variant);
            emit hub->SigAddUpdate(0, MouseHasNewFirmware);
            emit hub->SigAddUpdate(1, ReceiverHasNewFirmware);
            emit hub->SigUpdateFrame(MouseHasNewFirmware || ReceiverHasNewFirmware);
        }
        emit hub->SigAddVer(1, receiver);
        emit hub->SigAddVer(0, mouse);
    } else if (index == 6) {
        emit hub->SigAddVer(1, QString());
        emit hub->SigAddVer(0, QString());
    }
}

void FormSetting::SetVerText() {}

void FormSetting::on_Start() {}

void FormSetting::SlotLabelText(int index, QString Text)
{
    DeviceAllInfo device = CurrentDeviceInfo;
    if (index == 0) {
        emit PostMsg::GetInstance()->SigAddVer(1, Text);
        device.DongleVersionText = Text;
    } else if (index == 1) {
        emit PostMsg::GetInstance()->SigAddVer(0, Text);
        device.MouseVersionText = Text;
    } else {
        return;
    }
    SetCurrentDeviceInfo(device);
}

void FormSetting::SlotLabelTextB(QString TextA, QString Text)
{
    emit PostMsg::GetInstance()->SigAddVer(1, TextA);
    emit PostMsg::GetInstance()->SigAddUpdate(1, Text == "true");
}

void FormSetting::SlotRGBValue(DongleRGB *) {}

void FormSetting::SlotLongRangeMode(bool) {}

void FormSetting::SlotForm() {}

void FormSetting::SlotFormB() {}

void FormSetting::SlotFormResetForm() {}

void FormSetting::SlotLanguageSameB(int) {}

void FormSetting::SlotCheckUpdate() {}

void FormSetting::SlotLightToFrom(int) {}

void FormSetting::SlotContinue(int) {}

void FormSetting::SlotUpdateFrame(bool) {}

void FormSetting::SlotAllLanguage(int index)
{
    WiredModeText = HomeLabels[index]["WiredMode"];
}
