#include "sensor/SensorLOD.h"

#include "app/PostMsg.h"
#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "sensor/SensorStyles.h"
#include "ui_SensorLOD.h"

#include <QCoreApplication>

SensorLOD::SensorLOD(QWidget *parent) : QFrame(parent), ui(new Ui::SensorLOD)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Sensor/";
    ui->label->setStyleSheet("QLabel{color: rgb(" + ThemeColorText("LabelColor") + ");}");
    ui->label_2->setStyleSheet("QLabel{border-image: url(" + PicturePath + "Tips.png);}");
    ApplyThemedCombo(ui->LOD, PicturePath, 10);
}

SensorLOD::~SensorLOD()
{
    delete ui;
}

bool SensorLOD::ThreeItems() const
{
    return ui->LOD->count() == 3;
}

// -1 when the layout has no item for the value.
int SensorLOD::ItemOfValue(int value) const
{
    if (ThreeItems()) {
        static const int Items[3] = {1, 2, 0};
        return (value >= 0 && value < 3) ? Items[value] : -1;
    }
    return (value == 0 || value == 1) ? value : -1;
}

void SensorLOD::Announce(int value)
{
    static const char *const Texts[3] = {"1mm", "2mm", "0.7mm"};
    emit PostMsg::GetInstance()->SigAddLOD(QString::fromLatin1(Texts[value]));
}

void SensorLOD::Add07mmItem()
{
    if (ui->LOD->count() == 2)
        ui->LOD->insertItem(0, "0.7mm");
}

void SensorLOD::Remove07mmItem()
{
    if (ui->LOD->count() == 3)
        ui->LOD->removeItem(0);
}

void SensorLOD::SetLodEnabled(bool enabled)
{
    ui->LOD->setEnabled(enabled);
}

void SensorLOD::ShowLod(int value)
{
    LodValue = value;
    if (ThreeItems()) {
        const int item = ItemOfValue(value);
        if (item < 0)
            return;
        ui->LOD->setCurrentIndex(item);
        Announce(value);
        return;
    }
    // A 0.7 mm code on a layout without that entry: nothing matches, so the
    // list shows no entry rather than a wrong distance, and nothing is announced.
    if (value != 0 && value != 1) {
        ui->LOD->setCurrentIndex(-1);
        return;
    }
    ui->LOD->setCurrentIndex(value);
    Announce(value);
}

void SensorLOD::SetTitleText(const QString &text)
{
    ui->label->setText(text);
}

void SensorLOD::SetTipText(const QString &text)
{
    ui->label_2->setToolTip(text);
}

void SensorLOD::SetTipPosition(int language)
{
    if (language >= 0 && language <= 7)
        ui->label_2->move(50, 1);
}

void SensorLOD::on_LOD_currentIndexChanged(int index)
{
    if (!DeviceDataReady || SensorPageFilling)
        return;
    int value = -1;
    if (ThreeItems()) {
        static const int Values[3] = {2, 0, 1};
        if (index < 0 || index > 2)
            return;
        value = Values[index];
    } else {
        if (index < 0 || index > 1)
            return;
        value = index;
    }
    if (SetLod(value + 1)) {
        LodValue = value;
        Announce(value);
        return;
    }
    const int item = ItemOfValue(LodValue);
    if (item < 0)
        return;
    ui->LOD->blockSignals(true);
    ui->LOD->setCurrentIndex(item);
    ui->LOD->blockSignals(false);
}
