#include "unbuilt/DebouncetimeB.h"
#include "ui_DebouncetimeB.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "unbuilt/UnbuiltLook.h"

#include <QSignalBlocker>

DebouncetimeB::DebouncetimeB(QWidget *parent) : QFrame(parent), ui(new Ui_DebouncetimeB)
{
    ui->setupUi(this);
    PictureFolder = UnbuiltLook::sensorPictureFolder();
    ui->spinBoxA->setStyleSheet(
        UnbuiltLook::borderedSpinStyle(ThemeColorText(QStringLiteral("LinEditColorSecond"))));
    ui->Debunce->setStyleSheet(
        UnbuiltLook::thinSliderStyle(ThemeColorText(QStringLiteral("SliderColor")), PictureFolder));
}

DebouncetimeB::~DebouncetimeB()
{
    delete ui;
}

void DebouncetimeB::on_Debunce_sliderMoved(int position)
{
    ui->spinBoxA->setValue(position);
}

void DebouncetimeB::on_Debunce_valueChanged(int value)
{
    ui->spinBoxA->setValue(value);
    if (DeviceDataReady)
        SetDebounceTime(value);
}

void DebouncetimeB::ShowDebounce(int ms)
{
    const QSignalBlocker blocker(ui->Debunce);
    ui->Debunce->setValue(ms);
    ui->spinBoxA->setValue(ms);
}

void DebouncetimeB::SetSuffixText(int, const QString &text)
{
    ui->spinBoxA->setSuffix(text);
}
