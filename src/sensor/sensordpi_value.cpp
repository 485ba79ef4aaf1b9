// Editing the current level's value (slider, minus, plus) and dragging the
// current-level marker.
#include "sensor/SensorDPI.h"

#include "app/PostMsg.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "platform/vidide/VidIde.h"
#include "sensor/SensorConstants.h"
#include "ui_SensorDPI.h"

#include <QMouseEvent>

namespace {

bool MouseOnline()
{
    return UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr.load()) & 0xFF;
}

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

void SensorDPI::StepTo(int value)
{
    SliderArmed = true;
    ui->horizontalSliderC->setValue(value);
}

void SensorDPI::on_AddLevelA_clicked()
{
    if (DeviceDataReady && !MouseOnline()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    StepTo(DpiStepUp(ui->spinBoxA->value()));
}

void SensorDPI::on_ReduceLevelA_clicked()
{
    if (DeviceDataReady && !MouseOnline()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    StepTo(DpiStepDown(ui->spinBoxA->value()));
}

void SensorDPI::on_horizontalSliderC_sliderMoved(int position)
{
    int pageStep = ui->horizontalSliderC->pageStep();
    const int snapped = DpiSnap(position, pageStep);
    ui->horizontalSliderC->setPageStep(pageStep);
    if (MouseOnline() || SensorPageFilling) {
        ui->spinBoxA->setValue(snapped);
        return;
    }
    ui->horizontalSliderC->blockSignals(true);
    ui->horizontalSliderC->setEnabled(false);
    ui->horizontalSliderC->setValue(ui->spinBoxA->value());
}

void SensorDPI::on_horizontalSliderC_valueChanged(int value)
{
    if (DeviceDataReady && !SensorPageFilling && !MouseOnline()) {
        ui->horizontalSliderC->blockSignals(true);
        ui->horizontalSliderC->setEnabled(false);
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        ui->horizontalSliderC->setValue(ui->spinBoxA->value());
        return;
    }
    int pageStep = ui->horizontalSliderC->pageStep();
    const int snapped = DpiSnap(value, pageStep);
    ui->horizontalSliderC->setPageStep(pageStep);
    int level = -1;
    for (int i = 0; i < 8; ++i) {
        if (LevelButton(i)->isChecked()) {
            level = i;
            break;
        }
    }
    if (level >= 0)
        LevelButton(level)->setText(QString::number(snapped));
    ui->spinBoxA->setValue(snapped);
    if (!SliderArmed) {
        SliderArmed = true;
        return;
    }
    // A fill (or the defaults without device data) only shows values; the
    // wait dialog's update also keeps the block as it is.
    if (ParamUpdateRunning || SensorPageFilling)
        return;
    SetDpiLevelValue(level, snapped);
    emit PostMsg::GetInstance()->SigAddSensor(snapped);
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
        if (target < 0 || target > 7) {
            goHome();
            return;
        }
        ui->label_8->move(home.x() + 91 * band.step, home.y());
        CurrentLevel = target;
        SelectDraggedLevel(CurrentLevel);
        if (DeviceDataReady)
            SetCurrentDpiLevel(CurrentLevel);
        return;
    }
    goHome();
}

void SensorDPI::SelectDraggedLevel(int level)
{
    if (DeviceDataReady && !SensorPageFilling && !MouseOnline()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    SliderArmed = false;
    if (QToolButton *button = LevelButton(level))
        button->setChecked(true);
}
