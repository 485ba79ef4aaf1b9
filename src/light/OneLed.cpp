#include "light/OneLed.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "light/LightStyles.h"
#include "platform/vidide/VidIde.h"

#include "ui_OneLed.h"

#include <QButtonGroup>
#include <QSignalBlocker>

OneLed::OneLed(QWidget *parent) : QFrame(parent), ui(new Ui::OneLed), Group(nullptr)
{
    ui->setupUi(this);
    Group = new QButtonGroup(this);
    Group->setExclusive(true);
    PictureFolder = LightStyles::LightFolder();

    const QString l = ThemeColorText("LabelColor");
    const QString d = PictureFolder;
    ui->TitleButton_7->setStyleSheet(LightStyles::Title("TitleButton_7", d));
    for (QCheckBox *box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3}) {
        box->setStyleSheet("QCheckBox{color: rgb(" + l +
                           ";);}QCheckBox:indicator::checked {image: url(" + d +
                           "CheckBoxCheck.png" + ");}QCheckBox::indicator::unchecked {image: url(" +
                           d + "CheckBox2.png" + ");}");
        Group->addButton(box);
    }
    for (QWidget *edit :
         {static_cast<QWidget *>(ui->textEdit_2), static_cast<QWidget *>(ui->textEdit_3),
          static_cast<QWidget *>(ui->textEdit_4)})
        edit->setStyleSheet("#" + edit->objectName() +
                            "{border: transparent;background-color: transparent;color: rgb(" + l +
                            ";);}");
    ui->label_16->setStyleSheet(LightStyles::Label(l));

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);

    OptionField = DeviceField(
        Group,
        [](int index) {
            if (!CheckDeviceOnline())
                return false;
            const uint8_t before = CurrentDongleRGB->IndicatorMode;
            CurrentDongleRGB->IndicatorMode = uint8_t(index + 1);
            if (UsbFinderC_Set4KDongleRGB(CurrentDevicePathPtr.load(), CurrentDongleRGB))
                return true;
            CurrentDongleRGB->IndicatorMode = before;
            return false;
        },
        [this](int index) { tickOption(index); });
}

OneLed::~OneLed()
{
    delete ui;
}

void OneLed::SlotAllLanguage(int index)
{
    ui->label_16->setText(LightLabels[index]["receiver"]);
    // A language with fewer than three entries leaves the missing descriptions empty.
    const LabelPairList &entries = ReceiverStatusListLabels[index];
    QTextEdit *edits[3] = {ui->textEdit_2, ui->textEdit_3, ui->textEdit_4};
    for (int i = 0; i < 3; ++i) {
        const QString text =
            i < entries.size() ? entries.at(i).first + entries.at(i).second : QString();
        edits[i]->setPlainText(text);
    }
}

QCheckBox *OneLed::option(int index) const
{
    switch (index) {
    case 0:
        return ui->ReUntil;
    case 1:
        return ui->ReUntil_2;
    case 2:
        return ui->ReUntil_3;
    default:
        return nullptr;
    }
}

int OneLed::checkedOption() const
{
    for (int i = 0; i < 3; ++i) {
        if (option(i)->isChecked())
            return i;
    }
    return -1;
}

void OneLed::ShowIndicatorMode(int index)
{
    if (option(index))
        OptionField.Fill(index);
}

void OneLed::SelectIndicatorMode(int index)
{
    ShowIndicatorMode(index);
}

void OneLed::tickOption(int index)
{
    const QSignalBlocker b0(ui->ReUntil);
    const QSignalBlocker b1(ui->ReUntil_2);
    const QSignalBlocker b2(ui->ReUntil_3);
    if (QCheckBox *box = option(index)) {
        box->setChecked(true);
        return;
    }
    // Nothing held yet: an exclusive group does not let its ticked box be
    // unticked, so it lets go for a moment.
    Group->setExclusive(false);
    for (int i = 0; i < 3; ++i)
        option(i)->setChecked(false);
    Group->setExclusive(true);
}

void OneLed::choose(int index, bool checked)
{
    // Only a ticked option has something to send; the one the group unticks
    // stays quiet.
    if (checked)
        OptionField.Change(index);
}

void OneLed::on_ReUntil_toggled(bool checked)
{
    choose(0, checked);
}

void OneLed::on_ReUntil_2_toggled(bool checked)
{
    choose(1, checked);
}

void OneLed::on_ReUntil_3_toggled(bool checked)
{
    choose(2, checked);
}
