#include "unbuilt/SensorLODB.h"
#include "ui_SensorLODB.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "unbuilt/UnbuiltLook.h"

#include <QButtonGroup>

namespace {

// Lift-off codes of the device.
const int Lod1mm = 1;
const int Lod2mm = 2;
const int Lod07mm = 3;

} // namespace

SensorLODB::SensorLODB(QWidget *parent) : QFrame(parent), ui(new Ui_SensorLODB)
{
    ui->setupUi(this);
    LodGroup = new QButtonGroup(this);
    LodGroup->setExclusive(true);
    LodGroup->addButton(ui->MM0);
    LodGroup->addButton(ui->MM1);
    LodGroup->addButton(ui->MM2);
    PictureFolder = UnbuiltLook::sensorPictureFolder();

    const QString colour = ThemeColorText(QStringLiteral("LabelColor"));
    ui->label->setStyleSheet(UnbuiltLook::labelStyle(colour));
    // The third option keeps the plain check-box look.
    const QString boxStyle = UnbuiltLook::checkBoxStyle(colour, PictureFolder);
    ui->MM1->setStyleSheet(boxStyle);
    ui->MM2->setStyleSheet(boxStyle);
    ui->MM0->hide();
}

SensorLODB::~SensorLODB()
{
    delete ui;
}

void SensorLODB::WriteLod(int code)
{
    if (DeviceDataReady && !SensorPageFilling)
        SetLod(code);
}

void SensorLODB::on_MM1_clicked(bool)
{
    WriteLod(Lod1mm);
}

void SensorLODB::on_MM2_clicked(bool)
{
    WriteLod(Lod2mm);
}

void SensorLODB::on_MM0_clicked(bool)
{
    WriteLod(Lod07mm);
}

void SensorLODB::ShowThirdOption()
{
    ui->MM0->show();
    ui->MM0->move(80, 0);
    ui->MM1->move(165, 0);
    ui->MM2->move(250, 0);
}

void SensorLODB::HideThirdOption()
{
    ui->MM0->hide();
    ui->MM1->move(80, 0);
    ui->MM2->move(165, 0);
}

void SensorLODB::EnableChoices(bool enabled)
{
    ui->MM1->setEnabled(enabled);
    ui->MM2->setEnabled(enabled);
}

void SensorLODB::ShowLodChoice(int index)
{
    if (index == 0)
        ui->MM1->setChecked(true);
    else if (index == 1)
        ui->MM2->setChecked(true);
    else if (index == 2 && ui->MM0->isVisible())
        ui->MM0->setChecked(true);
}

void SensorLODB::SetCaption(const QString &text)
{
    ui->label->setText(text);
}

void SensorLODB::SetCaptionToolTip(const QString &text)
{
    ui->label->setToolTip(text);
}
