#include "settings/LedInfo.h"

#include "common/ConfigIniStore.h"
#include "common/LazyPictures.h"
#include "common/ThemeStyles.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "ui_LedInfo.h"

#include <QButtonGroup>
#include <QCoreApplication>

LedInfo::LedInfo(QWidget *parent) : QDialog(parent), ui(new Ui::LedInfo)
{
    ui->setupUi(this);
    Group = new QButtonGroup(this);
    Group->setExclusive(true);
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/FormSetting/";
    setWindowFlags(Qt::SubWindow | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    const QString l = ThemeColorText("LabelColor");
    const QString f = PictureFolder;
    ui->label_14->setStyleSheet("QLabel{color: rgb(" + l + ";);}");
    ui->TitleButton_7->setStyleSheet("#TitleButton_7{border-image: url(" + f + "Title.png" + ");}");
    for (QWidget *box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3})
        box->setStyleSheet("QCheckBox{color: rgb(" + l +
                           ";);}QCheckBox:indicator::checked {image: url(" + f +
                           "CheckBoxCheck.png" + ");}QCheckBox::indicator::unchecked {image: url(" +
                           f + "CheckBox2.png" + ");}");
    LazyPictures::SetStyleSheet(
        ui->LedInfoFrame,
        "#LedInfoFrame{border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: url(" +
            f + "Back.png" + ");}");
    for (QWidget *text : {ui->textEdit_2, ui->textEdit_3, ui->textEdit_4})
        text->setStyleSheet("#" + text->objectName() +
                            "{border: transparent;background-color: transparent;color: rgb(" + l +
                            ";);}");
    ui->CloseButton->setStyleSheet(ThemeStyles::CloseButton(f, "Close.png"));
    Group->addButton(ui->ReUntil);
    Group->addButton(ui->ReUntil_2);
    Group->addButton(ui->ReUntil_3);
    connect(PostMsg::GetInstance(), SIGNAL(SigRGBValue(DongleRGB *)), this,
            SLOT(SlotRGBValue(DongleRGB *)), Qt::BlockingQueuedConnection);
}

LedInfo::~LedInfo() = default;

int LedInfo::checkedChoice() const
{
    if (ui->ReUntil->isChecked())
        return 1;
    if (ui->ReUntil_2->isChecked())
        return 2;
    return ui->ReUntil_3->isChecked() ? 3 : 0;
}

void LedInfo::SlotRGBValue(DongleRGB *Rgb)
{
    const DeviceAllInfo &device = CurrentDeviceInfo;
    if (!Rgb || !DeviceCatalogue::HasIndicatorChoice(device.DriveIndex) || device.Wired ||
        device.ReceiverType != 1)
        return;
    for (QWidget *widget :
         {static_cast<QWidget *>(ui->TitleButton_7), static_cast<QWidget *>(ui->label_14),
          static_cast<QWidget *>(ui->ReUntil), static_cast<QWidget *>(ui->ReUntil_2),
          static_cast<QWidget *>(ui->ReUntil_3), static_cast<QWidget *>(ui->textEdit_2),
          static_cast<QWidget *>(ui->textEdit_3), static_cast<QWidget *>(ui->textEdit_4)})
        widget->setVisible(true);
    switch (Rgb->IndicatorMode) {
    case 1:
        ui->ReUntil->setChecked(true);
        break;
    case 2:
        ui->ReUntil_2->setChecked(true);
        break;
    case 3:
        ui->ReUntil_3->setChecked(true);
        break;
    default:
        break;
    }
}

void LedInfo::SlotAllLanguage(int) {}

void LedInfo::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
