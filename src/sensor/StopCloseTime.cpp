#include "sensor/StopCloseTime.h"

#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "sensor/SensorStyles.h"
#include "ui_StopCloseTime.h"

#include <QCoreApplication>

namespace {

const int Codes[8] = {1, 3, 6, 12, 18, 30, 60, 90};

} // namespace

StopCloseTime::StopCloseTime(QWidget *parent) : QFrame(parent), ui(new Ui::StopCloseTime)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Light/";
    ApplyThemedCombo(ui->StopClose, PicturePath, 15);
    SleepField = DeviceField(
        ui->StopClose, [](int index) { return SetSleepTime(CodeOfIndex(index)); },
        [this](int index) { ui->StopClose->setCurrentIndex(index); });
    SleepField.Fill(2);
}

StopCloseTime::~StopCloseTime()
{
    delete ui;
}

int StopCloseTime::IndexOfCode(int code)
{
    for (int i = 0; i < 8; ++i) {
        if (Codes[i] == code)
            return i;
    }
    return -1;
}

int StopCloseTime::CodeOfIndex(int index)
{
    return (index >= 0 && index < 8) ? Codes[index] : -1;
}

void StopCloseTime::SetIndex(int index)
{
    SleepField.Fill(index);
}

void StopCloseTime::SetItemText(int index, const QString &text)
{
    ui->StopClose->setItemText(index, text);
}

void StopCloseTime::on_StopClose_activated(int index)
{
    if (CodeOfIndex(index) < 0) {
        SleepField.ShowHeld();
        return;
    }
    SleepField.Change(index);
}
