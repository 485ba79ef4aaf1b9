// Level selection, level colours and the level count of the DPI row.
#include "sensor/SensorDPI.h"

#include "common/FontScaling.h"
#include "common/SharedState.h"
#include "device/DeviceField.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "ui_SensorDPI.h"

#include <QColorDialog>

#include <cstring>

int SensorDPI::CheckedLevel() const
{
    for (int i = 0; i < 8; ++i) {
        if (LevelButton(i)->isChecked())
            return i;
    }
    return -1;
}

void SensorDPI::LevelToggled(int level, bool checked)
{
    StyleLevelButton(level, checked);
    // A fill only shows the level; the mouse already holds it.
    if (!checked || DeviceField::Filling())
        return;
    if (!DeviceField::WritesOpen() ||
        !DeviceField::Write([level] { return SetCurrentDpiLevel(level); })) {
        ShowCurrentLevel(CurrentLevel);
        return;
    }
    ShrinkOtherSwatches(level);
    // The level is current before its swatch is checked: the swatch's slot
    // tells a taken level from a refused one by it.
    CurrentLevel = level;
    Swatch(level)->setChecked(true);
    ui->label_8->move(MarkerPoints[level]);
    emit PostMsg::GetInstance()->SigAddSensor(LevelValue(level));
}

void SensorDPI::LevelClicked()
{
    ShowCurrentLevel(CurrentLevel);
}

void SensorDPI::SwatchToggled(int level, bool checked)
{
    if (!checked) {
        StyleSwatch(level, false, true);
        return;
    }
    // Selecting the swatch selects its level: the mouse must take it first.
    LevelButton(level)->setChecked(true);
    if (!DeviceField::Filling() && CurrentLevel != level) {
        // Refused: the row, swatches included, stays on the level the mouse holds.
        ShowCurrentLevel(CurrentLevel);
        return;
    }
    const QRect r = SwatchRects[level];
    Swatch(level)->setGeometry(r.x() - 8, r.y() + 6, 66, 14);
    StyleSwatch(level, true, false);
    // Showing the level's value is no edit of it.
    ShowSliderValue(LevelValue(level));
}

void SensorDPI::SwatchClicked(int level)
{
    // The colour dialog edits the current level; a swatch whose level the
    // mouse did not take has nothing to edit.
    if (level != CurrentLevel || !Swatch(level)->isChecked())
        return;
    ColourDialog()->show();
}

QColorDialog *SensorDPI::ColourDialog()
{
    if (!ColorDialog) {
        ColorDialog = new QColorDialog(this);
        // Its fonts as the start scales every widget it builds.
        ScaleWidgetFonts(ColorDialog, FontScaleFactor());
        connect(ColorDialog, SIGNAL(colorSelected(QColor)), this, SLOT(SetColor(QColor)));
    }
    return ColorDialog;
}

void SensorDPI::SetColor(QColor color)
{
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
    // The swatch takes the colour only once the mouse holds it.
    if (DeviceField::WritesOpen() &&
        DeviceField::Write([=] { return SetDpiLevelColor(level, r, g, b); }))
        LevelColors[level] =
            QString::number(r) + "," + QString::number(g) + "," + QString::number(b);
    ApplySwatchStyle(level);
}

void SensorDPI::on_ChooseEvent_currentIndexChanged(int index)
{
    // A fill sets the count it read and shows the levels itself.
    if (DeviceField::Filling()) {
        CountIndex = index;
        return;
    }
    const auto putBack = [this] {
        DeviceField::Silently(ui->ChooseEvent,
                              [this] { ui->ChooseEvent->setCurrentIndex(CountIndex); });
    };
    // A count of no level (the combo emptied) names no level to keep.
    if (index < 0 || index > 7 || !DeviceField::WritesOpen()) {
        putBack();
        return;
    }
    const int old = CurrentLevel;
    if (old > index && old <= 7) {
        // The current level falls outside the new count: it trades places
        // with the new last level, so the mouse keeps its DPI and colour. The
        // swap carries the new count and current level as well.
        const FlashDataMap block = FlashDataSnapshot();
        unsigned char atIndex[6];
        unsigned char atOld[6];
        std::memcpy(atIndex, &block.DpiLevels[index], 6);
        std::memcpy(atOld, &block.DpiLevels[old], 6);
        if (!DeviceField::Write([&] { return SwapDpiLevels(atIndex, atOld, index, old, index); })) {
            putBack();
            return;
        }
        const QString oldValue = LevelButton(old)->text();
        const QString oldColour = LevelColors[old];
        LevelButton(old)->setText(LevelButton(index)->text());
        LevelColors[old] = LevelColors[index];
        LevelButton(index)->setText(oldValue);
        LevelColors[index] = oldColour;
        CurrentLevel = index;
        ShowCurrentLevel(index);
    } else if (!DeviceField::Write([index] { return SetDpiLevelCount(index + 1); })) {
        putBack();
        return;
    }
    CountIndex = index;
    ShowLevels(index);
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
    SwatchClicked(0);
}
void SensorDPI::on_BrightRedButtonA_clicked()
{
    SwatchClicked(1);
}
void SensorDPI::on_RedButtonA_clicked()
{
    SwatchClicked(2);
}
void SensorDPI::on_YellowButtonA_clicked()
{
    SwatchClicked(3);
}
void SensorDPI::on_GreenButtonA_clicked()
{
    SwatchClicked(4);
}
void SensorDPI::on_PurpleButtonA_clicked()
{
    SwatchClicked(5);
}
void SensorDPI::on_LightBlueButtonA_clicked()
{
    SwatchClicked(6);
}
void SensorDPI::on_LightYellowButtonA_clicked()
{
    SwatchClicked(7);
}
