// Filling the sensor page from a parameter block, the defaults without device
// data, and the notifications of changes made on the mouse.
#include "sensor/Sensor.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "ui_Sensor.h"

#include <QListView>

namespace {

int PerformanceIndexOfCode(int code)
{
    static const int Codes[8] = {1, 3, 6, 12, 18, 30, 60, 90};
    for (int i = 0; i < 8; ++i) {
        if (Codes[i] == code)
            return i;
    }
    return -1;
}

int HighRateMode(int receiverType)
{
    switch (receiverType) {
    case 0:
    case 2:
        return 0;
    case 1:
        return 1;
    case 4:
        return 2;
    case 3:
    case 5:
        return 3;
    default:
        return -1;
    }
}

QString TwoHex(int value)
{
    return QString::number(value & 0xFF, 16).rightJustified(2, QLatin1Char('0'));
}

int Decimal(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

void Sensor::ShowMode(int index, bool enabled, bool hideCorded)
{
    if (ModelView)
        ModelView->setRowHidden(2, hideCorded);
    ui->ModelChoose->setEnabled(enabled);
    ModelField.Fill(index);
}

void Sensor::SlotUpDataSenSorUISensor(FlashDataMap DataMap)
{
    SensorPageUpdated = false;
    FillFromBlock(DataMap);
    SensorPageUpdated = true;
    emit PostMsg::GetInstance()->SigtVis(0);
}

void Sensor::SlotUpDataSenSorUIB(FlashDataMap DataMap)
{
    FillFromBlock(DataMap);
    emit PostMsg::GetInstance()->SigtVis(0);
}

void Sensor::FillFromBlock(const FlashDataMap &b)
{
    SensorDPI *dpi = ui->frameDpi;
    ConfigIniStore *store = ConfigIniStore::GetInstance();
    const QString group = DriveGroup();
    const DeviceAllInfo info = CurrentDeviceInfo;
    const int count = b.DpiLevelCount;
    const int current = b.CurrentDpiLevel;

    dpi->EnableSlider();
    dpi->ClearCountItems();
    dpi->BlockSliderSignals(true);
    dpi->SetSliderEnabled(true);
    SensorPageFilling = true;
    dpi->SetCurrentLevelMember(current);

    const int rateIndex = SensorRate::IndexOfCode(b.ReportRateCode);
    if (rateIndex >= 0)
        ui->frameRate->ShowRateIndex(rateIndex);
    // A cable carries at most 1000 Hz of the two middle rates.
    if (info.Wired && (b.ReportRateCode == 0x10 || b.ReportRateCode == 0x20))
        ui->frameRate->ShowRateIndex(3);

    CurrentSensorModel = store->GetValue(group, "Sensor");
    if (CurrentSensorModel == QLatin1String("3950"))
        ui->frameLOD->Add07mmItem();
    else
        ui->frameLOD->Remove07mmItem();

    const bool highRate =
        b.ReportRateCode == 0x10 || b.ReportRateCode == 0x20 || b.ReportRateCode == 0x40;
    const bool highReceiver =
        info.ReceiverType == 1 || info.ReceiverType == 4 || info.ReceiverType == 5;
    if (!ListsModel(Switches.SensorModeSel))
        ui->ModelChoose->setEnabled(false);
    else if (info.Wired || (highReceiver && highRate))
        ShowMode(2, false, false);
    else
        ShowMode(b.SensorModeIndex, true, true);

    ui->frameLOD->ShowLod(b.LodCode - 1);

    PerformanceField.Fill(b.PerformanceOn != 0 ? 1 : 0);
    const int timeIndex = PerformanceIndexOfCode(b.PerformanceTimeCode);
    if (timeIndex >= 0)
        PerformanceTimeField.Fill(timeIndex);
    ui->frame->SetChecked(b.RippleControlOn != 0);
    ui->frame_4->SetChecked(b.StraightLineOn != 0);
    ui->frame_3->SetChecked(b.MotionSyncOn != 0);

    // The block and the row hold eight levels whatever the catalogue says.
    const int grades = qBound(0, Decimal(store->GetValue(group, "DPIMaxGrade")), 8);
    dpi->BlockCountSignals(true);
    for (int j = 0; j < grades; ++j) {
        const DpiLevel &level = b.DpiLevels[j];
        dpi->SetLevelColorHex(j, "#" + TwoHex(level.ColorR) + TwoHex(level.ColorG) +
                                     TwoHex(level.ColorB));
        dpi->InsertCountItem(j, QString::number(j + 1));
    }
    dpi->BlockCountSignals(false);
    dpi->ShowSelectedSwatch(current);

    const bool allControls = Decimal(store->GetValue(group, "XIn1")) != 2;
    for (QWidget *w :
         {static_cast<QWidget *>(ui->TitleButton_4), static_cast<QWidget *>(ui->label_5),
          static_cast<QWidget *>(ui->label_11), static_cast<QWidget *>(ui->ModelChoose),
          static_cast<QWidget *>(ui->frameLOD), static_cast<QWidget *>(ui->Performance),
          static_cast<QWidget *>(ui->PerformanceOpen), static_cast<QWidget *>(ui->frame),
          static_cast<QWidget *>(ui->frame_4)})
        w->setVisible(allControls);
    ui->frame_3->hide();

    ReadDpiRange(store->GetValueList(group, "DPIRange"), DpiMinText, DpiMaxText);
    dpi->SetSliderMaximum(Decimal(DpiMaxText));
    dpi->SetSliderMinimum(Decimal(DpiMinText));

    for (int j = 0; j < grades; ++j) {
        const DpiLevel &level = b.DpiLevels[j];
        const int value = DecodeDpiLevel(level.XCode, level.Flags);
        dpi->SetLevelText(j, QString::number(value));
        if (j == current) {
            emit PostMsg::GetInstance()->SigAddSensor(value);
            dpi->SetSliderValue(value);
            dpi->SetSpinBoxValue(value);
        }
    }

    // A count outside 1..8 shows what the row can: at least one level, at most eight.
    const int lastIndex = qBound(0, count - 1, 7);
    dpi->ShowLevels(lastIndex);
    dpi->SetCountIndex(lastIndex);
    dpi->MoveMarkerToLevel(current + 1);
    dpi->SelectLevel(current);

    const int mode = HighRateMode(info.ReceiverType);
    if (mode >= 0)
        ui->frameRate->ShowHighRates(mode);
    const bool lod = ListsModel(Switches.LodCal);
    ui->frameLOD->SetLodEnabled(lod);
    ui->frame->setVisible(ListsModel(Switches.Ripple));
    ui->frame_4->setVisible(ListsModel(Switches.FixLine));
    ui->frame_3->hide();
    ui->frameLOD->SetLodEnabled(lod);
    dpi->BlockSliderSignals(false);
    SensorPageFilling = false;
}

void Sensor::SlotFormReset()
{
    SensorDPI *dpi = ui->frameDpi;
    PostMsg *hub = PostMsg::GetInstance();
    const DeviceAllInfo info = CurrentDeviceInfo;
    SensorPageFilling = true;
    dpi->SetSliderMaximum(12000);
    dpi->SetSliderMinimum(50);
    dpi->LoadDefaultLevels();
    dpi->ClearCountItems();
    for (int j = 0; j < 6; ++j)
        dpi->InsertCountItem(j, QString::number(j + 1));
    dpi->BlockCountSignals(false);
    dpi->ShowLevels(5);
    dpi->SetCountIndex(5);
    dpi->MoveMarkerToLevel(2);
    dpi->SelectLevel(1);
    ui->frameLOD->ShowLod(0);
    ui->Performance->setEnabled(true);
    ui->Performance->setChecked(true);
    ui->frame_3->SetChecked(true);
    // Selecting the level showed its value in the number box and the slider
    // and told the summary panel: a fixed value here would contradict the
    // level button.

    const int mode = HighRateMode(info.ReceiverType);
    if (mode >= 0) {
        ui->frameRate->ShowHighRates(mode);
        ui->frameRate->ShowRateIndex(mode == 3 ? 6 : 3);
    }
    if (mode >= 0 || info.Wired)
        ModelField.Fill(0);
    CurrentSensorModel = ConfigIniStore::GetInstance()->GetValue(DriveGroup(), "Sensor");
    if (CurrentSensorModel == QLatin1String("3950"))
        ui->frameLOD->Add07mmItem();
    else
        ui->frameLOD->Remove07mmItem();
    PerformanceTimeField.Fill(2);
    ui->frameLOD->ShowLod(0);
    PerformanceField.Fill(0);
    ui->frame_3->SetChecked(true);
    ui->frame_4->SetChecked(false);
    ui->frame->SetChecked(false);
    SensorPageFilling = false;
    emit hub->SigtVis(0);
}

void Sensor::SlotUpDataDPI(int index)
{
    // The mouse reports the level it now holds: shown, not written back.
    const bool filling = SensorPageFilling.exchange(true);
    ui->frameDpi->MoveMarkerToLevel(index + 1);
    if (index >= 0 && index <= 7) {
        ui->frameDpi->SelectLevel(index);
        ui->frameDpi->SetCurrentLevelMember(index);
    }
    SensorPageFilling = filling;
}

void Sensor::SlotUpDataReportRate(int index)
{
    const int rateIndex = SensorRate::IndexOfCode(index);
    if (rateIndex < 0)
        return;
    ui->frameRate->ShowRateIndex(rateIndex);
    if (!ListsModel(Switches.SensorModeSel) || CurrentDeviceInfo.Wired)
        return;
    if (rateIndex >= 4)
        ShowMode(2, false, false);
    else
        ShowMode(FlashDataSnapshot().SensorModeIndex, true, true);
}

void Sensor::SlotHideModel(int index)
{
    if (!ListsModel(Switches.SensorModeSel))
        return;
    const int type = CurrentDeviceInfo.ReceiverType;
    if (index == 0 && !CurrentDeviceInfo.Wired)
        ShowMode(FlashDataSnapshot().SensorModeIndex, true, true);
    else if (index == 1 && (type == 1 || type == 4 || type == 5))
        ShowMode(2, false, false);
}
