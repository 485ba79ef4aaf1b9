// The editing slots of SensorDPIB: level count, level values, current level
// and level colours.
#include "unbuilt/SensorDPIB.h"

#include "common/MySlider.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "model/SensorConstants.h"
#include "platform/vidide/VidIde.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QSpinBox>

#include <cstring>

bool SensorDPIB::MouseSilent()
{
    return DeviceDataReady && !SensorPageFilling &&
           !UsbFinderC_GetDeviceOnLine(CurrentDevicePathCopy().constData());
}

void SensorDPIB::on_ChooseEvent_currentIndexChanged(int index)
{
    if (SensorPageFilling)
        return;
    // An emptied combo (-1) or an index past the eighth level names no level
    // count; writing it would give the mouse 0 or more than eight levels.
    if (!ValidRow(index))
        return;
    PreviousCurrentLevel = CurrentLevel;
    // The current level would fall outside the new count: it moves to the
    // last level kept, taking its colour and value with it.
    if (index < PreviousCurrentLevel)
        ExchangeRows(PreviousCurrentLevel, index);
    ShowLevelRows(index);
    if (DeviceDataReady)
        SetDpiLevelCount(index + 1);
}

void SensorDPIB::ExchangeRows(int previous, int index)
{
    BlockSliderSignals(true);
    const QString previousColor = LevelColors[previous];
    const QString indexColor = LevelColors[index];
    const int previousValue = Spins[previous]->value();
    const int indexValue = Spins[index]->value();

    LevelColors[previous] = indexColor;
    ApplyLevelColor(previous);
    Sliders[previous]->setValue(indexValue);
    Spins[previous]->setValue(indexValue);

    LevelColors[index] = previousColor;
    ApplyLevelColor(index);
    Sliders[index]->setValue(previousValue);
    Spins[index]->setValue(previousValue);
    // Runs the box's slot: the new current level goes to the mouse.
    Boxes[index]->setChecked(true);

    LevelCount = index + 1;
    CurrentLevel = index;
    if (DeviceDataReady) {
        const FlashDataMap block = FlashDataSnapshot();
        unsigned char previousRecord[6];
        unsigned char indexRecord[6];
        std::memcpy(previousRecord, &block.DpiLevels[previous], sizeof(previousRecord));
        std::memcpy(indexRecord, &block.DpiLevels[index], sizeof(indexRecord));
        SwapDpiLevels(indexRecord, previousRecord, index, previous, index);
    }
    BlockSliderSignals(false);
}

void SensorDPIB::LevelValueChanged(int row, int value)
{
    if (MouseSilent()) {
        Spins[row]->setValue(value);
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    int pageStep = Sliders[row]->pageStep();
    const int snapped = DpiSnap(value, pageStep);
    Sliders[row]->setPageStep(pageStep);
    // The handle stays where the user left it; the box shows the value kept.
    Spins[row]->setValue(snapped);

    // The first change after construction or SelectLevel comes from the host
    // filling the rows, not from the user.
    if (!FirstValueChangeSeen) {
        FirstValueChangeSeen = true;
        return;
    }
    if (!ParamUpdateRunning)
        SetDpiLevelValue(row, snapped);
}

void SensorDPIB::LevelToggled(int row, bool checked)
{
    if (!checked || !DeviceDataReady || SensorPageFilling)
        return;
    CurrentLevel = row;
    SetCurrentDpiLevel(row);
}

void SensorDPIB::EditColor(int row)
{
    ColorEditLevel = row;
    ColorDialog->show();
}

void SensorDPIB::SetColor(QColor color)
{
    const int row = ColorEditLevel;
    if (!ValidRow(row))
        return;
    LevelColors[row] = color.name(QColor::HexRgb); // "#rrggbb"
    const QString &text = LevelColors[row];
    const int r = text.midRef(1, 2).toInt(nullptr, 16);
    const int g = text.midRef(3, 2).toInt(nullptr, 16);
    const int b = text.midRef(5, 2).toInt(nullptr, 16);
    if (DeviceDataReady && !SensorPageFilling)
        SetDpiLevelColor(row, r, g, b);
    ApplyLevelColor(row);
}

void SensorDPIB::SelectLevel(int row)
{
    if (MouseSilent()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    FirstValueChangeSeen = false;
    if (ValidRow(row))
        Boxes[row]->setChecked(true);
}

// clang-format off
void SensorDPIB::on_horizontalSliderA_valueChanged(int value) { LevelValueChanged(0, value); }
void SensorDPIB::on_horizontalSliderB_valueChanged(int value) { LevelValueChanged(1, value); }
void SensorDPIB::on_horizontalSliderC_valueChanged(int value) { LevelValueChanged(2, value); }
void SensorDPIB::on_horizontalSliderD_valueChanged(int value) { LevelValueChanged(3, value); }
void SensorDPIB::on_horizontalSliderE_valueChanged(int value) { LevelValueChanged(4, value); }
void SensorDPIB::on_horizontalSliderF_valueChanged(int value) { LevelValueChanged(5, value); }
void SensorDPIB::on_horizontalSliderG_valueChanged(int value) { LevelValueChanged(6, value); }
void SensorDPIB::on_horizontalSliderH_valueChanged(int value) { LevelValueChanged(7, value); }

void SensorDPIB::on_MA_toggled(bool checked) { LevelToggled(0, checked); }
void SensorDPIB::on_MB_toggled(bool checked) { LevelToggled(1, checked); }
void SensorDPIB::on_MC_toggled(bool checked) { LevelToggled(2, checked); }
void SensorDPIB::on_MD_toggled(bool checked) { LevelToggled(3, checked); }
void SensorDPIB::on_ME_toggled(bool checked) { LevelToggled(4, checked); }
void SensorDPIB::on_MF_toggled(bool checked) { LevelToggled(5, checked); }
void SensorDPIB::on_MG_toggled(bool checked) { LevelToggled(6, checked); }
void SensorDPIB::on_MH_toggled(bool checked) { LevelToggled(7, checked); }

void SensorDPIB::on_BlueButtonA_clicked() { EditColor(0); }
void SensorDPIB::on_BrightRedButtonA_clicked() { EditColor(1); }
void SensorDPIB::on_RedButtonA_clicked() { EditColor(2); }
void SensorDPIB::on_YellowButtonA_clicked() { EditColor(3); }
void SensorDPIB::on_GreenButtonA_clicked() { EditColor(4); }
void SensorDPIB::on_PurpleButtonA_clicked() { EditColor(5); }
void SensorDPIB::on_LightBlueButtonA_clicked() { EditColor(6); }
void SensorDPIB::on_LightYellowButtonA_clicked() { EditColor(7); }
// clang-format on
