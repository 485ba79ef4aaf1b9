#include "unbuilt/RippeControlB.h"
#include "ui_RippeControlB.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "unbuilt/UnbuiltLook.h"

RippeControlB::RippeControlB(QWidget *parent) : QFrame(parent), ui(new Ui_RippeControlB)
{
    ui->setupUi(this);
    PictureFolder = UnbuiltLook::sensorPictureFolder();
    ui->label->setStyleSheet(UnbuiltLook::labelStyle(ThemeColorText(QStringLiteral("LabelColor"))));
    ui->RippeControl_2->setStyleSheet(
        UnbuiltLook::switchStyle(ui->RippeControl_2->objectName(), PictureFolder));
}

RippeControlB::~RippeControlB()
{
    delete ui;
}

void RippeControlB::ShowState(bool on)
{
    ui->RippeControl_2->setChecked(on);
}

void RippeControlB::SetCaption(const QString &text)
{
    ui->label->setText(text);
}

void RippeControlB::SetCaptionTip(const QString &text)
{
    ui->label->setToolTip(text);
}

void RippeControlB::on_RippeControl_2_clicked(bool checked)
{
    if (!DeviceDataReady)
        return;
    SetRippleControl(checked ? 1 : 0);
}
