// Editing the current level's value (slider, minus, plus) and dragging the
// current-level marker.
#include "sensor/SensorDPI.h"

#include "common/SharedState.h"
#include "device/DeviceField.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "model/SensorConstants.h"
#include "ui_SensorDPI.h"

#include <QMouseEvent>

namespace {

struct Band
{
    int from;
    int to;
    int step;
};

const Band Bands[] = {{78, 129, 1},  {-102, -51, -1},  {168, 214, 2}, {-192, -144, -2},
                      {264, 317, 3}, {-284, -236, -3}, {361, 389, 4}, {-369, -327, -4},
                      {443, 495, 5}, {-465, -411, -5}, {538, 591, 6}, {-556, -504, -6},
                      {623, 669, 7}, {-646, -599, -7}};

const int Limits[8] = {69, 160, 251, 342, 433, 524, 612, -1};

} // namespace

void SensorDPI::ShowSliderValue(int value)
{
    DeviceField::Silently(ui->horizontalSliderC, [&] { ui->horizontalSliderC->setValue(value); });
    ui->spinBoxA->setValue(value);
}

// The slider's value slot writes the step; a value the slider already shows
// changes nothing.
void SensorDPI::StepTo(int value)
{
    ui->horizontalSliderC->setValue(value);
}

void SensorDPI::on_AddLevelA_clicked()
{
    StepTo(DpiStepUp(ui->spinBoxA->value()));
}

void SensorDPI::on_ReduceLevelA_clicked()
{
    StepTo(DpiStepDown(ui->spinBoxA->value()));
}

void SensorDPI::on_horizontalSliderC_sliderMoved(int position)
{
    // While the handle is dragged the box previews the value; the release
    // writes it (or puts it back).
    int pageStep = ui->horizontalSliderC->pageStep();
    const int snapped = DpiSnap(position, pageStep);
    ui->horizontalSliderC->setPageStep(pageStep);
    ui->spinBoxA->setValue(snapped);
}

void SensorDPI::on_horizontalSliderC_valueChanged(int value)
{
    int pageStep = ui->horizontalSliderC->pageStep();
    const int snapped = DpiSnap(value, pageStep);
    ui->horizontalSliderC->setPageStep(pageStep);
    const int level = CheckedLevel();
    if (level < 0) {
        // No level to hold the value: it is only shown.
        ui->spinBoxA->setValue(snapped);
        return;
    }
    if (DeviceField::Filling()) {
        LevelButton(level)->setText(QString::number(snapped));
        ui->spinBoxA->setValue(snapped);
        return;
    }
    if (DeviceField::WritesOpen() &&
        DeviceField::Write([&] { return SetDpiLevelValue(level, snapped); })) {
        LevelButton(level)->setText(QString::number(snapped));
        ui->spinBoxA->setValue(snapped);
        emit PostMsg::GetInstance()->SigAddSensor(snapped);
        return;
    }
    ShowSliderValue(LevelValue(level));
}

void SensorDPI::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        return;
    if (ui->label_8->geometry().contains(event->pos()) && CheckDeviceOnline()) {
        Dragging = true;
        DragOffset = event->pos() - ui->label_8->pos();
    }
}

void SensorDPI::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton || !Dragging)
        return;
    if (DragArea.contains(event->pos())) {
        ui->label_8->move(event->pos() - DragOffset);
        return;
    }
    mouseReleaseEvent(event);
}

void SensorDPI::mouseReleaseEvent(QMouseEvent *event)
{
    Dragging = false;
    // The marker's home; a level outside the row (none shown) has none, so
    // the marker stays where it stands.
    const bool hasHome = CurrentLevel >= 0 && CurrentLevel <= 7;
    const QPoint home = hasHome ? MarkerPoints[CurrentLevel] : ui->label_8->pos();
    const auto goHome = [&] { ui->label_8->move(home); };
    const QPoint pos = event->pos();
    if (!ui->label_8->geometry().contains(pos) || !hasHome) {
        goHome();
        return;
    }
    const int x = pos.x();
    if (x < 15 || x > 706) {
        goHome();
        return;
    }
    const int index = ui->ChooseEvent->currentIndex();
    const int limit = (index >= 0 && index < 8) ? Limits[index] : -1;
    if (limit >= 0 && x > limit) {
        goHome();
        if (DeviceDataReady)
            SetCurrentDpiLevel(CurrentLevel);
        return;
    }
    const int d = x - home.x();
    for (const Band &band : Bands) {
        if (d < band.from || d > band.to)
            continue;
        const int target = CurrentLevel + band.step;
        // The bounds above keep the target inside the row; a count combo
        // without an item must not take it past the last level either.
        // Marker and level move only when the mouse takes the level.
        if (target < 0 || target > 7 || !SelectDraggedLevel(target)) {
            goHome();
            return;
        }
        ui->label_8->move(home.x() + 91 * band.step, home.y());
        return;
    }
    goHome();
}

bool SensorDPI::SelectDraggedLevel(int level)
{
    QToolButton *button = LevelButton(level);
    if (!button || DeviceField::Filling())
        return false;
    if (!button->isChecked()) {
        // The level button's toggled slot writes the level, or puts the row
        // back on the level the mouse holds.
        button->setChecked(true);
    } else if (DeviceField::WritesOpen() &&
               DeviceField::Write([level] { return SetCurrentDpiLevel(level); })) {
        CurrentLevel = level;
        ShowCurrentLevel(level);
    }
    return CurrentLevel == level && button->isChecked();
}
