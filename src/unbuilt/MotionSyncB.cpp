#include "unbuilt/MotionSyncB.h"
#include "ui_MotionSyncB.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "unbuilt/UnbuiltLook.h"

MotionSyncB::MotionSyncB(QWidget *parent) : QFrame(parent), ui(new Ui_MotionSyncB)
{
    ui->setupUi(this);
    PictureFolder = UnbuiltLook::sensorPictureFolder();
    ui->label->setStyleSheet(UnbuiltLook::labelStyle(ThemeColorText(QStringLiteral("LabelColor"))));
    ui->MotionSync_2->setStyleSheet(
        UnbuiltLook::switchStyle(ui->MotionSync_2->objectName(), PictureFolder));
}

MotionSyncB::~MotionSyncB()
{
    delete ui;
}

void MotionSyncB::ShowState(bool on)
{
    ui->MotionSync_2->setChecked(on);
}

void MotionSyncB::SetCaption(const QString &text)
{
    ui->label->setText(text);
}

void MotionSyncB::SetCaptionTip(const QString &text)
{
    ui->label->setToolTip(text);
}

void MotionSyncB::on_MotionSync_2_clicked(bool checked)
{
    if (!DeviceDataReady)
        return;
    SetMotionSync(checked ? 1 : 0);
}
