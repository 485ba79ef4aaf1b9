#include "macro/AddDelayTime.h"

#include "ui_AddDelayTime.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "hub/PostMsg.h"

AddDelayTime::AddDelayTime(QWidget *parent) : NoticeDialog(parent), ui(new Ui::AddDelayTime)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->AddDelayTimeA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong, ui->NewHong_2};
    applyLook(look);
    ui->spinBox->setStyleSheet(QStringLiteral("QSpinBox{color: rgb(") +
                               ThemeColorText(QStringLiteral("LinEditColor")) +
                               QStringLiteral(";);}"));
    ui->spinBox->setFocus(Qt::ActiveWindowFocusReason);

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
    scaleFonts();
}

AddDelayTime::~AddDelayTime() = default;

void AddDelayTime::on_CloseButton_clicked()
{
    OkPressed = false;
    close();
}

void AddDelayTime::on_NewHong_clicked()
{
    // A value still being typed counts as entered.
    ui->spinBox->interpretText();
    OkPressed = true;
    DelayValue = ui->spinBox->value();
    close();
}

void AddDelayTime::on_NewHong_2_clicked()
{
    OkPressed = false;
    close();
}

void AddDelayTime::SlotAllLanguage(int index)
{
    ui->label->setText(HomeLabels[index][QStringLiteral("EnterDelay")]);
    ui->NewHong->setText(CommonLabels[index][QStringLiteral("OK")]);
    ui->NewHong_2->setText(CommonLabels[index][QStringLiteral("Cancel")]);
}
