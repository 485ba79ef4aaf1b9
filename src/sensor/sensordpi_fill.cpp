// The operations the sensor page fills the DPI row with.
#include "sensor/SensorDPI.h"

#include "hub/PostMsg.h"
#include "ui_SensorDPI.h"

#include <QSignalBlocker>

#include <vector>

namespace {

int HexByte(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    return ok ? value : 0;
}

} // namespace

void SensorDPI::SetTitleText(const QString &text)
{
    ui->label->setText(text);
}

void SensorDPI::InsertCountItem(int index, const QString &text)
{
    ui->ChooseEvent->insertItem(index, text);
}

void SensorDPI::SetCountIndex(int index)
{
    CountIndex = index;
    ui->ChooseEvent->setCurrentIndex(index);
}

void SensorDPI::SetCurrentLevelMember(int level)
{
    CurrentLevel = level;
}

void SensorDPI::SetLevelText(int level, const QString &text)
{
    if (QToolButton *button = LevelButton(level))
        button->setText(text);
}

void SensorDPI::SetLevelColorHex(int level, const QString &colour)
{
    if (level < 0 || level > 7)
        return;
    const int r = HexByte(colour.mid(1, 2));
    const int g = HexByte(colour.mid(3, 2));
    const int b = HexByte(colour.mid(5, 2));
    LevelColors[level] = QString::number(r) + "," + QString::number(g) + "," + QString::number(b);
}

void SensorDPI::SetSpinBoxValue(int value)
{
    ui->spinBoxA->setValue(value);
}

void SensorDPI::EnableSlider()
{
    ui->horizontalSliderC->setEnabled(true);
    ui->horizontalSliderC->blockSignals(false);
}

void SensorDPI::MoveMarkerToLevel(int number)
{
    CurrentLevel = number - 1;
    if (number >= 1 && number <= 8)
        ui->label_8->move(MarkerPoints[number - 1]);
}

void SensorDPI::ShowSelectedSwatch(int level)
{
    // A device level outside the row selects no swatch.
    if (level < 0 || level > 7)
        return;
    for (int i = 0; i < 8; ++i)
        StyleSwatch(i, i == level, i != level);
}

void SensorDPI::SelectLevel(int level)
{
    if (level < 0 || level > 7)
        return;
    LevelButton(level)->setChecked(true);
    // The checked swatch is the current level's: a swatch left checked from
    // before would neither select its level when clicked nor keep the
    // colour dialog to the current level.
    {
        std::vector<QSignalBlocker> blockers;
        blockers.reserve(8);
        for (int i = 0; i < 8; ++i)
            blockers.emplace_back(Swatch(i));
        Swatch(level)->setChecked(true);
    }
    // Called directly, the swatch slots leave the check states alone.
    SwatchToggled(0, level == 0);
    SwatchToggled(1, level == 1);
    SwatchToggled(2, level == 2);
    SwatchToggled(3, level == 3);
    SwatchToggled(4, level == 4);
    SwatchToggled(5, level == 5);
    SwatchToggled(6, level == 6);
    SwatchToggled(7, level == 7);
    emit PostMsg::GetInstance()->SigAddSensor(LevelValue(level));
}
