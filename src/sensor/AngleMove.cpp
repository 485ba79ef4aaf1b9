#include "sensor/AngleMove.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceField.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "ui_AngleMove.h"

#include <QCoreApplication>

int ConfirmedAngle = 0;

namespace {

QString AngleText(int angle)
{
    return QString::number(angle) + QChar(0x00B0);
}

} // namespace

AngleMove::AngleMove(QWidget *parent) : QFrame(parent), ui(new Ui::AngleMove)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Advanced/";
    LabelColorText = ThemeColorText("LabelColor");
    const QString p = PicturePath;
    ui->TitleButton_4->setStyleSheet("#TitleButton_4{border-image: url(" + p + "Title.png);}");
    ui->Keydown_6->setStyleSheet("QLabel{background-color: transparent;color: rgb(" +
                                 LabelColorText + ";);border-image: url(" + p + "Level.png);}");
    for (QWidget *label : {ui->Keydown_3, ui->Keydown_4, ui->Keydown_5, ui->label_7})
        label->setStyleSheet("QLabel{color: rgb(" + LabelColorText + ";);}");
    ui->AngleSet->setStyleSheet(
        "QSlider:groove:horizontal{height:3px;left: 0px;right: 0px;border:0px;border-radius:0px;"
        "background:rgba(0,0,0,50);}QSlider:handle:horizontal{ width:  14px;height: 14px;  "
        "margin-top: -6px;margin-left: 0px; margin-bottom: -6px;margin-right: 0px; border-image: "
        "url(" +
        p + "HuaKuai.png);} QSlider:sub-page:horizontal{background-color: rgb(" +
        ThemeColorText("SliderColor") +
        ";);}QSlider:add-page:horizontal{background-color: rgb(136, 148, 158);}");
    ui->widget->setPixmapPath(p + "Back.png");
    ui->widget->setStyleSheet("#widget{border:0px;background-position:center;background-repeat:"
                              "no-repeat;border-image: url(" +
                              p + "Back.png);}");
    ui->widget_2->setPixmapPath(p + "Component.png");
    ui->widget_2->setStyleSheet("#widget_2{border:0px;background-position:center;background-"
                                "repeat:no-repeat;background-image: url(" +
                                p + "Component.png);}");
    ui->Error_3->setStyleSheet("QLabel{border-image: url(" + p + "Tips.png);}");
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

AngleMove::~AngleMove()
{
    delete ui;
}

void AngleMove::ShowAngle(int angle)
{
    ConfirmedAngle = angle;
    SetSliderValue(angle);
    SetPictureAngle(angle);
    SetAngleText(AngleText(angle));
}

void AngleMove::SetSliderValue(int angle)
{
    DeviceField::Silently(ui->AngleSet, [&] { ui->AngleSet->setValue(angle); });
}

void AngleMove::SetSliderEnabled(bool enabled)
{
    ui->AngleSet->setEnabled(enabled);
}

void AngleMove::MoveTips(int x, int y)
{
    ui->Error_3->move(x, y);
}

void AngleMove::SetAngleText(const QString &text)
{
    ui->Keydown_6->setText(text);
}

void AngleMove::SetPictureAngle(int angle)
{
    ui->widget_2->setAngle(angle);
}

void AngleMove::SlotAllLanguage(int index)
{
    ui->label_7->setText(AdvancedSettingsLabels[index]["AngularMode"]);
    ui->Error_3->setToolTip(AdvancedSettingsLabels[index]["AngularModeTips"]);
}

void AngleMove::on_AngleSet_sliderMoved(int position)
{
    ui->Keydown_6->setText(AngleText(position));
    ui->widget_2->setAngle(position);
}

void AngleMove::on_AngleSet_valueChanged(int value)
{
    ui->widget_2->setAngle(value);
    ui->Keydown_6->setText(AngleText(value));
    if (DeviceField::Filling())
        return;
    if (DeviceField::WritesOpen() && DeviceField::Write([value] { return SetAngle(value); })) {
        ConfirmedAngle = value;
        return;
    }
    ShowAngle(ConfirmedAngle);
}
