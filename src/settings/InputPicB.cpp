#include "settings/InputPicB.h"

#include "common/FontScaling.h"
#include "hub/PostMsg.h"
#include "settings/InputPicA.h"
#include "ui_InputPicB.h"

#include <QButtonGroup>
#include <QCoreApplication>

InputPicB::InputPicB(QWidget *parent) : QDialog(parent), ui(new Ui::InputPicB)
{
    ui->setupUi(this);
    ScaleWidgetFonts(this, FontScaleFactor());
    Group = new QButtonGroup(this);
    Group->setExclusive(true);
    for (QAbstractButton *slot :
         {ui->toolButtonA, ui->toolButtonB, ui->toolButtonC, ui->toolButtonD})
        Group->addButton(slot);
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/ScreeInfo/";
    setWindowFlags(Qt::SubWindow | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    ApplyScreenPictureLook(this, PictureFolder);
}

InputPicB::~InputPicB() = default;

void InputPicB::SlotAllLanguage(int) {}

void InputPicB::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
