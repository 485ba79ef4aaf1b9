// Level selection, level colours and the level count of the DPI row.
#include "sensor/SensorDPI.h"

#include "app/PostMsg.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "platform/vidide/VidIde.h"
#include "ui_SensorDPI.h"

#include <QColorDialog>

#include <cstring>

bool SensorDPI::WriteGateOpen() const
{
    return DeviceDataReady && !SensorPageFilling;
}

void SensorDPI::LevelToggled(int level, bool checked)
{
    if (!checked) {
        StyleLevelButton(level, false);
        return;
    }
    StyleLevelButton(level, true);
    if (!WriteGateOpen())
        return;
    ConfirmedLevel = CurrentLevel;
    CurrentLevel = level;
    if (!SetCurrentDpiLevel(level)) {
        ShowCurrentLevel(ConfirmedLevel);
        CurrentLevel = ConfirmedLevel;
        return;
    }
    ShrinkOtherSwatches(level);
    Swatch(level)->setChecked(true);
    CurrentLevel = level;
    ConfirmedLevel = level;
    ui->label_8->move(MarkerPoints[level]);
    emit PostMsg::GetInstance()->SigAddSensor(LevelValue(level));
}

void SensorDPI::LevelClicked()
{
    ShowCurrentLevel(ConfirmedLevel);
}

void SensorDPI::SwatchToggled(int level, bool checked)
{
    if (!checked) {
        StyleSwatch(level, false, true);
        return;
    }
    const QRect r = SwatchRects[level];
    Swatch(level)->setGeometry(r.x() - 8, r.y() + 6, 66, 14);
    LevelButton(level)->setChecked(true);
    StyleSwatch(level, true, false);
    SliderArmed = false;
    ui->horizontalSliderC->setValue(LevelValue(level));
}

void SensorDPI::SwatchClicked()
{
    ColorDialog->show();
}

void SensorDPI::SetColor(QColor color)
{
    if (!CheckDeviceOnline())
        return;
    int level = -1;
    for (int i = 0; i < 8; ++i) {
        if (Swatch(i)->isChecked()) {
            level = i;
            break;
        }
    }
    if (level < 0)
        return;
    const int r = color.red();
    const int g = color.green();
    const int b = color.blue();
    LevelColors[level] = QString::number(r) + "," + QString::number(g) + "," + QString::number(b);
    if (WriteGateOpen())
        SetDpiLevelColor(level, r, g, b);
    ApplySwatchStyle(level);
}

void SensorDPI::on_ChooseEvent_currentIndexChanged(int index)
{
    if (!CheckDeviceOnline()) {
        ui->ChooseEvent->blockSignals(true);
        ui->ChooseEvent->setCurrentIndex(CountIndex);
        ui->ChooseEvent->blockSignals(false);
        return;
    }
    CountIndex = index;
    if (SensorPageFilling)
        return;
    // A count of no level (the combo emptied) names no level to keep.
    if (index < 0 || index > 7)
        return;
    PreviousLevel = CurrentLevel;
    const int old = PreviousLevel;
    if (old > index && old <= 7) {
        // The current level falls outside the new count: it trades places
        // with the new last level, so the mouse keeps its DPI and colour.
        const QString oldValue = LevelButton(old)->text();
        const QString oldColour = LevelColors[old];
        const QString newValue = LevelButton(index)->text();
        const QString newColour = LevelColors[index];
        LevelColors[old] = newColour;
        ApplySwatchStyle(old);
        LevelButton(old)->setText(newValue);
        LevelColors[index] = oldColour;
        ApplySwatchStyle(index);
        ui->label_8->move(MarkerPoints[index]);
        LevelButton(index)->setText(oldValue);
        LevelButton(index)->setChecked(true);
        CurrentLevel = index;
        if (DeviceDataReady) {
            const FlashDataMap block = FlashDataSnapshot();
            unsigned char atIndex[6];
            unsigned char atOld[6];
            std::memcpy(atIndex, &block.DpiLevels[index], 6);
            std::memcpy(atOld, &block.DpiLevels[old], 6);
            SwapDpiLevels(atIndex, atOld, index, old, index);
        }
    }
    ShowLevels(index);
    if (!DeviceDataReady)
        return;
    if (UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr.load()) & 0xFF) {
        if (SensorPageFilling)
            return;
        // The count goes through its guarded setter, which sends the block
        // only when it belongs to this mouse.
        SetDpiLevelCount(index + 1);
    } else if (!SensorPageFilling) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
    }
}

void SensorDPI::on_BlueButton_toggled(bool checked)
{
    LevelToggled(0, checked);
}
void SensorDPI::on_BrightRedButton_toggled(bool checked)
{
    LevelToggled(1, checked);
}
void SensorDPI::on_RedButton_toggled(bool checked)
{
    LevelToggled(2, checked);
}
void SensorDPI::on_YellowButton_toggled(bool checked)
{
    LevelToggled(3, checked);
}
void SensorDPI::on_GreenButton_toggled(bool checked)
{
    LevelToggled(4, checked);
}
void SensorDPI::on_PurpleButton_toggled(bool checked)
{
    LevelToggled(5, checked);
}
void SensorDPI::on_LightBlueButton_toggled(bool checked)
{
    LevelToggled(6, checked);
}
void SensorDPI::on_LightYellowButton_toggled(bool checked)
{
    LevelToggled(7, checked);
}
void SensorDPI::on_BlueButton_clicked()
{
    LevelClicked();
}
void SensorDPI::on_BrightRedButton_clicked()
{
    LevelClicked();
}
void SensorDPI::on_RedButton_clicked()
{
    LevelClicked();
}
void SensorDPI::on_YellowButton_clicked()
{
    LevelClicked();
}
void SensorDPI::on_GreenButton_clicked()
{
    LevelClicked();
}
void SensorDPI::on_PurpleButton_clicked()
{
    LevelClicked();
}
void SensorDPI::on_LightBlueButton_clicked()
{
    LevelClicked();
}
void SensorDPI::on_LightYellowButton_clicked()
{
    LevelClicked();
}
void SensorDPI::on_BlueButtonA_toggled(bool checked)
{
    SwatchToggled(0, checked);
}
void SensorDPI::on_BrightRedButtonA_toggled(bool checked)
{
    SwatchToggled(1, checked);
}
void SensorDPI::on_RedButtonA_toggled(bool checked)
{
    SwatchToggled(2, checked);
}
void SensorDPI::on_YellowButtonA_toggled(bool checked)
{
    SwatchToggled(3, checked);
}
void SensorDPI::on_GreenButtonA_toggled(bool checked)
{
    SwatchToggled(4, checked);
}
void SensorDPI::on_PurpleButtonA_toggled(bool checked)
{
    SwatchToggled(5, checked);
}
void SensorDPI::on_LightBlueButtonA_toggled(bool checked)
{
    SwatchToggled(6, checked);
}
void SensorDPI::on_LightYellowButtonA_toggled(bool checked)
{
    SwatchToggled(7, checked);
}
void SensorDPI::on_BlueButtonA_clicked()
{
    SwatchClicked();
}
void SensorDPI::on_BrightRedButtonA_clicked()
{
    SwatchClicked();
}
void SensorDPI::on_RedButtonA_clicked()
{
    SwatchClicked();
}
void SensorDPI::on_YellowButtonA_clicked()
{
    SwatchClicked();
}
void SensorDPI::on_GreenButtonA_clicked()
{
    SwatchClicked();
}
void SensorDPI::on_PurpleButtonA_clicked()
{
    SwatchClicked();
}
void SensorDPI::on_LightBlueButtonA_clicked()
{
    SwatchClicked();
}
void SensorDPI::on_LightYellowButtonA_clicked()
{
    SwatchClicked();
}
