#include "unbuilt/StopCloseTimeB.h"
#include "ui_StopCloseTimeB.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "unbuilt/UnbuiltLook.h"

#include <QSignalBlocker>

namespace {

const int PositionCount = 11;
// Shown number of slider positions 1..11; positions 1 and 2 are seconds.
const int ShownNumbers[PositionCount] = {10, 30, 1, 5, 10, 15, 20, 25, 30, 35, 40};
const int FirstMinutesPosition = 3;

bool ValidPosition(int position)
{
    return position >= 1 && position <= PositionCount;
}

} // namespace

StopCloseTimeB::StopCloseTimeB(QWidget *parent) : QFrame(parent), ui(new Ui_StopCloseTimeB)
{
    ui->setupUi(this);
    PictureFolder = UnbuiltLook::sensorPictureFolder();
    ui->spinBoxA->setStyleSheet(
        UnbuiltLook::borderedSpinStyle(ThemeColorText(QStringLiteral("LinEditColorSecond"))));
    ui->StopClose->setStyleSheet(
        UnbuiltLook::thinSliderStyle(ThemeColorText(QStringLiteral("SliderColor")), PictureFolder));
}

StopCloseTimeB::~StopCloseTimeB()
{
    delete ui;
}

int StopCloseTimeB::ShownNumber(int position)
{
    return ValidPosition(position) ? ShownNumbers[position - 1] : 0;
}

int StopCloseTimeB::SleepCode(int position)
{
    if (!ValidPosition(position))
        return 0;
    const int shown = ShownNumbers[position - 1];
    return position < FirstMinutesPosition ? shown / 10 : shown * 6;
}

void StopCloseTimeB::ShowPosition(int position)
{
    if (!ValidPosition(position))
        return;
    ui->spinBoxA->setValue(ShownNumber(position));
    ui->spinBoxA->setSuffix(position < FirstMinutesPosition ? SecondsUnit : MinutesUnit);
}

void StopCloseTimeB::on_StopClose_sliderMoved(int position)
{
    ShowPosition(position);
}

void StopCloseTimeB::on_StopClose_valueChanged(int value)
{
    ShowPosition(value);
    if (!DeviceDataReady || !ValidPosition(value))
        return;
    if (!LightPageFilling)
        SetSleepTime(SleepCode(value));
}

void StopCloseTimeB::ShowSleepTimeIndex(int index)
{
    const int position = index + 1;
    if (!ValidPosition(position))
        return;
    const QSignalBlocker blocker(ui->StopClose);
    ui->StopClose->setValue(position);
    ShowPosition(position);
}

void StopCloseTimeB::SetUnitText(int index, const QString &text)
{
    if (index == 0)
        SecondsUnit = QString(text).remove(QStringLiteral("10"));
    else if (index == 5)
        MinutesUnit = QString(text).remove(QStringLiteral("15"));
    else
        return;
    ShowPosition(ui->StopClose->value());
}
