#include "common/RePair.h"

#include "ui_RePair.h"

#include "common/LabelCatalogue.h"

RePair::RePair(QWidget *parent) : NoticeDialog(parent), ui(new Ui::RePair)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->RePairA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->OK, ui->Cancel};
    applyLook(look);

    followLanguage();
    scaleFonts();
}

RePair::~RePair() = default;

void RePair::SlotAllLanguage(int index)
{
    ui->label->setText(HomeLabels[index]["Repair"]);
    ui->OK->setText(CommonLabels[index]["OK"]);
    ui->Cancel->setText(CommonLabels[index]["Cancel"]);
}

void RePair::on_OK_clicked()
{
    OkChosen = true;
    close();
}

void RePair::on_Cancel_clicked()
{
    OkChosen = false;
    close();
}

void RePair::on_CloseButton_clicked()
{
    OkChosen = false;
    close();
}
