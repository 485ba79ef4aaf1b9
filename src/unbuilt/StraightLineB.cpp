#include "unbuilt/StraightLineB.h"
#include "ui_StraightLineB.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "unbuilt/UnbuiltLook.h"

StraightLineB::StraightLineB(QWidget *parent) : QFrame(parent), ui(new Ui_StraightLineB)
{
    ui->setupUi(this);
    PictureFolder = UnbuiltLook::sensorPictureFolder();
    ui->label->setStyleSheet(UnbuiltLook::labelStyle(ThemeColorText(QStringLiteral("LabelColor"))));
    ui->StraightLine_2->setStyleSheet(
        UnbuiltLook::switchStyle(ui->StraightLine_2->objectName(), PictureFolder));
}

StraightLineB::~StraightLineB()
{
    delete ui;
}

void StraightLineB::ShowState(bool on)
{
    ui->StraightLine_2->setChecked(on);
}

void StraightLineB::SetCaption(const QString &text)
{
    ui->label->setText(text);
}

void StraightLineB::SetCaptionTip(const QString &text)
{
    ui->label->setToolTip(text);
}

void StraightLineB::on_StraightLine_2_clicked(bool checked)
{
    if (!DeviceDataReady)
        return;
    SetStraightLine(checked ? 1 : 0);
}
