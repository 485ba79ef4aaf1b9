#include "light/ThreeLed.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "light/LightState.h"
#include "light/LightStyles.h"
#include "platform/vidide/VidIde.h"

#include "ui_ThreeLed.h"

ThreeLed::ThreeLed(QWidget *parent) : QFrame(parent), ui(new Ui::ThreeLed)
{
    ui->setupUi(this);
    ui->label_36->hide();
    PictureFolder = LightStyles::LightFolder();
    const QString d = PictureFolder;
    ui->TitleButton_6->setStyleSheet(LightStyles::Title("TitleButton_6", d));

    const QString text = ThemeColorText("ComboxTextColor");
    const QString select = ThemeColorText("ComboxSelectColor");
    const QString back = ThemeColorText("ComboxBackGroundColor");
    for (QComboBox *combo :
         {static_cast<QComboBox *>(ui->LightMod_3), static_cast<QComboBox *>(ui->LightMod_4),
          static_cast<QComboBox *>(ui->LightMod_5)}) {
        combo->setStyleSheet(LightStyles::Combo(d, text, back, select));
        LightStyles::SetComboList(combo, select);
    }

    const QString l = ThemeColorText("LabelColor");
    ui->label_5->setStyleSheet("QLabel{background-image: url(" + d + "Mode1.png" + ");}");
    ui->label_30->setStyleSheet("QLabel{background-image: url(" + d + "Mode2.png" + ");}");
    ui->label_32->setStyleSheet("QLabel{background-image: url(" + d + "Mode2.png" + ");}");
    ui->label_34->setStyleSheet("QLabel{background-image: url(" + d + "Mode3.png" + ");}");
    for (QLabel *label : {ui->label_17, ui->label_25, ui->label_26, ui->label_27, ui->label_28,
                          ui->label_29, ui->label_31, ui->label_33})
        label->setStyleSheet(LightStyles::Label(l));

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
    bindLed(0, ui->LightMod_3);
    bindLed(1, ui->LightMod_4);
    bindLed(2, ui->LightMod_5);
}

ThreeLed::~ThreeLed()
{
    delete ui;
}

void ThreeLed::SlotAllLanguage(int index)
{
    LabelMultiMap &status = StatusDescriptionListLabels[index];
    ui->label_35->setText(status.value("#42e81b"));
    ui->label_37->setText(status.value("#f5b020"));
    ui->label_38->setText(status.value("#f52c17"));
    // Item i reads the key counting down from "3": the headers of the
    // legend columns use the same keys, so each reads like its item.
    LabelMultiMap &receiver = ReceiverListLabels[index];
    const char *itemKeys[4] = {"0", "3", "2", "1"};
    for (QComboBox *combo :
         {static_cast<QComboBox *>(ui->LightMod_3), static_cast<QComboBox *>(ui->LightMod_4),
          static_cast<QComboBox *>(ui->LightMod_5)}) {
        for (int i = 0; i < 4 && i < combo->count(); ++i)
            combo->setItemText(i, receiver.value(itemKeys[i]));
    }
    LabelMap &light = LightLabels[index];
    ui->label_17->setText(light["receiver"]);
    ui->label_28->setText(light["PreviewLightsTips"]);
    ui->label_29->setText(receiver.value("3"));
    ui->label_31->setText(receiver.value("2"));
    ui->label_33->setText(receiver.value("1"));
    ui->label_49->setText(light["default"]);
}

void ThreeLed::bindLed(int led, QComboBox *combo)
{
    LedFields[led] = DeviceField(
        combo,
        [led](int index) {
            if (index < 0 || index > 3)
                return false;
            // The whole record goes, the other two LEDs as the record holds them.
            const uint8_t before = DongleIndicatorLedBuffer->Led[led];
            DongleIndicatorLedBuffer->Led[led] = uint8_t(index);
            const bool taken = UsbFinderC_SetDongleIndicatorLed(CurrentDevicePathPtr.load(),
                                                                DongleIndicatorLedBuffer);
            // The block follows only to a mouse that answers: the user learns
            // that it did not get it.
            const bool mouseAnswers = CheckDeviceOnline();
            if (!taken) {
                DongleIndicatorLedBuffer->Led[led] = before;
                return false;
            }
            if (mouseAnswers)
                SendFlashData();
            DongleIndicatorLedKnown[led] = index;
            return true;
        },
        [combo](int index) { combo->setCurrentIndex(index); });
}

void ThreeLed::ShowLed1Function(int index)
{
    LedFields[0].Fill(index);
}

void ThreeLed::ShowLed2Function(int index)
{
    LedFields[1].Fill(index);
}

void ThreeLed::ShowLed3Function(int index)
{
    LedFields[2].Fill(index);
}

void ThreeLed::on_LightMod_3_currentIndexChanged(int index)
{
    LedFields[0].Change(index);
}

void ThreeLed::on_LightMod_4_currentIndexChanged(int index)
{
    LedFields[1].Change(index);
}

void ThreeLed::on_LightMod_5_currentIndexChanged(int index)
{
    LedFields[2].Change(index);
}
