#include "sensor/LongMode.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"
#include "ui_LongMode.h"

#include <QCoreApplication>

LongMode::LongMode(QWidget *parent) : QFrame(parent), ui(new Ui::LongMode)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Advanced/";
    LabelColorText = ThemeColorText("LabelColor");
    const QString p = PicturePath;
    ui->TitleButton_3->setStyleSheet("#TitleButton_3{border-image: url(" + p + "Title.png);}");
    for (QWidget *label : {ui->label_5, ui->label_6})
        label->setStyleSheet("QLabel{color: rgb(" + LabelColorText + ";);}");
    ui->checkBox->setStyleSheet(
        "QCheckBox{color: rgb(" + LabelColorText + ";);}QCheckBox:indicator::checked {image: url(" +
        p + "CheckBoxChecked.png);}QCheckBox::indicator::unchecked {image: url(" + p +
        "CheckBox.png);}");
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
    // The mode lives in the receiver link, not in the parameter block.
    LongRangeField = DeviceField(
        ui->checkBox,
        [](int on) {
            const char *path = CurrentDevicePathPtr.load();
            if (!(UsbFinderC_GetDeviceOnLine(path) & 0xFF)) {
                emit PostMsg::GetInstance()->SigMouseOffLineo(0);
                return false;
            }
            return UsbFinderC_SetLongRangeMode(path, on == 1);
        },
        [this](int on) { ui->checkBox->setChecked(on == 1); });
}

LongMode::~LongMode()
{
    delete ui;
}

void LongMode::SetChecked(bool on)
{
    LongRangeField.Fill(on ? 1 : 0);
}

void LongMode::SlotAllLanguage(int index)
{
    ui->label_5->setText(AdvancedSettingsLabels[index]["LongDistance"]);
    ui->label_6->setText(AdvancedSettingsLabels[index]["LongDistanceTips"]);
}

void LongMode::on_checkBox_toggled(bool checked)
{
    LongRangeField.Change(checked ? 1 : 0);
}
