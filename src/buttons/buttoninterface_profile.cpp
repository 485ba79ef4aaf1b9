// Onboard profiles, profile export and import, restore of defaults.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "common/ConfigIniStore.h"
#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "common/UpDateWarning.h"
#include "device/DeviceReset.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/ProfileFile.h"
#include "device/UpDataParam.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"

#include <QDebug>
#include <QFileInfo>
#include <QSignalBlocker>

namespace {

bool MouseOnline()
{
    const char *path = CurrentDevicePathPtr.load();
    return path && UsbFinderC_GetDeviceOnLine(path);
}

// Export and import share it, so that the import lists every exported file.
const DialogSeam::FileType ProfileFileType{QStringLiteral("File(*.bin)"), QStringLiteral("bin")};

} // namespace

void Buttoninterface::PlaceDialog(QWidget *dialog, int dx, int dy) const
{
    DialogPlacement::centreOver(dialog, this, -dx, -dy);
}

void Buttoninterface::BindProfileBox()
{
    ProfileField = DeviceField(
        ui->ProjectChoose,
        [](int index) {
            if (!MouseOnline()) {
                emit PostMsg::GetInstance()->SigMouseOffLineo(0);
                return false;
            }
            return SwitchProfile(index);
        },
        [this](int index) { ui->ProjectChoose->setCurrentIndex(index); },
        [this](int) {
            emit PostMsg::GetInstance()->SigAddConfig(ui->ProjectChoose->currentText());
        });
}

void Buttoninterface::on_ProjectChoose_activated(int index)
{
    // The mouse answers a switch with its new profile; the device link then
    // reads that profile's block and refreshes every page.
    ProfileField.Change(index);
}

void Buttoninterface::on_ProjectChoose_currentIndexChanged(int) {}

bool Buttoninterface::WriteProfileFile(const QString &path, const FlashDataMap &map)
{
    const QString sensor = ConfigIniStore::GetInstance()->GetValue(DriveGroup(), "Sensor");
    QString error;
    if (ProfileFile::Write(path, map, sensor, &error))
        return true;
    UpDateWarning notice;
    notice.SetText(KeyLabels[CurrentLanguage].value(QStringLiteral("ExportFailed")) +
                   QStringLiteral("\n") + error);
    PlaceDialog(&notice, 75, 65);
    notice.exec();
    return false;
}

void Buttoninterface::on_OutputData_clicked()
{
    // Until the current device's block was read (or imported for it) the page
    // has nothing to export: a block of zeros would later be imported as the
    // mouse's settings.
    if (!FlashDataBelongsToCurrentDevice()) {
        UpDateWarning notice;
        notice.SetText(KeyLabels[CurrentLanguage].value(QStringLiteral("ExportNoData")));
        PlaceDialog(&notice, 75, 65);
        notice.exec();
        return;
    }
    const QString path = DialogSeam::getSaveFileName(
        this, QStringLiteral("FileSave"), ui->ProjectChoose->currentText(), ProfileFileType);
    if (path.isEmpty() || !WriteProfileFile(path, FlashDataSnapshot()))
        return;
    UpDateWarning notice;
    notice.SetText(KeyLabels[CurrentLanguage].value(QStringLiteral("ExportDone")) +
                   QStringLiteral("\n") + QFileInfo(path).fileName());
    PlaceDialog(&notice, 75, 65);
    notice.exec();
}

void Buttoninterface::on_ImportData_clicked()
{
    if (!MouseOnline()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    ParamUpdateRunning = true;
    const QString path =
        DialogSeam::getOpenFileName(this, QStringLiteral("SelectFile"), ProfileFileType);
    if (!path.isEmpty()) {
        UpDataParam wait;
        wait.StartTimer();
        wait.ImportMode = true;
        wait.ProfilePath = path;
        PlaceDialog(&wait, 75, 65);
        // The wait dialog ends itself when its timer's work is done.
        wait.exec();
    }
    ParamUpdateRunning = false;
}

void Buttoninterface::on_Reset_clicked()
{
    if (!MouseOnline()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    ConfirmAndResetDevice([this](QWidget *dialog) { PlaceDialog(dialog, 75, 65); });
}

void Buttoninterface::on_checkBox_clicked() {}

void Buttoninterface::on_pushButton_clicked()
{
    const char *path = CurrentDevicePathPtr.load();
    if (!CurrentDongleRGB || !path)
        return;
    CurrentDongleRGB->IndicatorMode = 1;
    UsbFinderC_Set4KDongleRGB(path, CurrentDongleRGB);
}
