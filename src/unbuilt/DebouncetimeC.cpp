#include "unbuilt/DebouncetimeC.h"
#include "ui_DebouncetimeC.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "unbuilt/UnbuiltLook.h"

namespace {

const int MaximumMs = 20;
const int MinimumStepDownMs = 1;

} // namespace

DebouncetimeC::DebouncetimeC(QWidget *parent) : QFrame(parent), ui(new Ui_DebouncetimeC)
{
    ui->setupUi(this);
    PictureFolder = UnbuiltLook::sensorPictureFolder();
    ui->spinBoxA->setStyleSheet(
        UnbuiltLook::borderedSpinStyle(ThemeColorText(QStringLiteral("LinEditColorSecond"))));
    ui->ReduceLevelA->setStyleSheet(UnbuiltLook::pictureButtonStyle(QStringLiteral("ReduceLevelA"),
                                                                    PictureFolder + "Reduce.png"));
    ui->AddLevelA->setStyleSheet(
        UnbuiltLook::pictureButtonStyle(QStringLiteral("AddLevelA"), PictureFolder + "Add.png"));
}

DebouncetimeC::~DebouncetimeC()
{
    delete ui;
}

void DebouncetimeC::Step(int delta)
{
    // The box's own range keeps the value within 0..20 (minus from 0 stays 0
    // and still writes it).
    ui->spinBoxA->setValue(ui->spinBoxA->value() + delta);
    if (DeviceDataReady)
        SetDebounceTime(ui->spinBoxA->value());
}

void DebouncetimeC::on_AddLevelA_clicked()
{
    if (ui->spinBoxA->value() == MaximumMs)
        return;
    Step(+1);
}

void DebouncetimeC::on_ReduceLevelA_clicked()
{
    if (ui->spinBoxA->value() == MinimumStepDownMs)
        return;
    Step(-1);
}

void DebouncetimeC::ShowDebounce(int ms)
{
    ui->spinBoxA->setValue(ms);
}

void DebouncetimeC::SetSuffixText(int, const QString &text)
{
    ui->spinBoxA->setSuffix(text);
}
