#include "common/ContainReset.h"

#include "ui_ContainReset.h"

#include "common/LabelCatalogue.h"

ContainReset::ContainReset(QWidget *parent) : NoticeDialog(parent), ui(new Ui::ContainReset)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->ContainResetA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->OK, ui->Cancel};
    applyLook(look);

    followLanguage();
    ui->OK->setShortcut(QKeySequence(Qt::Key_Return));
    scaleFonts();
}

ContainReset::~ContainReset() = default;

void ContainReset::SetText(const QString &text)
{
    ui->label->setText(text);
}

void ContainReset::SlotAllLanguage(int index)
{
    ui->label->setText(SettingsLabels[index]["DialogRestore"]);
    ui->OK->setText(CommonLabels[index]["OK"]);
    ui->Cancel->setText(CommonLabels[index]["Cancel"]);
}

void ContainReset::on_OK_clicked()
{
    OkChosen = true;
    close();
}

void ContainReset::on_Cancel_clicked()
{
    OkChosen = false;
    close();
}

void ContainReset::on_CloseButton_clicked()
{
    OkChosen = false;
    close();
}
