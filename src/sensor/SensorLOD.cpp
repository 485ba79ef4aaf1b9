#include "sensor/SensorLOD.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
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
    LodField = DeviceField(
        ui->LOD, [](int value) { return SetLod(value + 1); },
        [this](int value) { ShowItemOf(value); }, [this](int value) { Announce(value); });
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
    // A distance the list cannot show is not announced either.
    if (value < 0 || value > 2 || ItemOfValue(value) < 0)
        return;
    static const char *const Texts[3] = {"1mm", "2mm", "0.7mm"};
    emit PostMsg::GetInstance()->SigAddLOD(QString::fromLatin1(Texts[value]));
}

// The list changes shape, not the distance: it keeps showing the held one.
void SensorLOD::Add07mmItem()
{
    if (ui->LOD->count() == 2)
        DeviceField::Silently(ui->LOD, [this] { ui->LOD->insertItem(0, "0.7mm"); });
    if (LodField.Held() >= 0)
        LodField.ShowHeld();
}

void SensorLOD::Remove07mmItem()
{
    if (ui->LOD->count() == 3)
        DeviceField::Silently(ui->LOD, [this] { ui->LOD->removeItem(0); });
    if (LodField.Held() >= 0)
        LodField.ShowHeld();
}

void SensorLOD::SetLodEnabled(bool enabled)
{
    ui->LOD->setEnabled(enabled);
}

void SensorLOD::ShowLod(int value)
{
    LodField.Fill(value);
}

void SensorLOD::ShowItemOf(int value)
{
    // A 0.7 mm code on a layout without that entry: nothing matches, so the
    // list shows no entry rather than a wrong distance.
    ui->LOD->setCurrentIndex(ItemOfValue(value));
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
    static const int ThreeValues[3] = {2, 0, 1};
    int value = -1;
    if (ThreeItems() && index >= 0 && index <= 2)
        value = ThreeValues[index];
    else if (!ThreeItems() && (index == 0 || index == 1))
        value = index;
    if (value < 0) {
        LodField.ShowHeld();
        return;
    }
    LodField.Change(value);
}
