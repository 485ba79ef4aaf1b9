#include "common/InportFail.h"

#include "ui_InportFail.h"

#include "common/LabelCatalogue.h"
#include "common/NoticeChoice.h"

InportFail::InportFail(QWidget *parent) : NoticeDialog(parent), ui(new Ui::InportFail)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->InportFailA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    scaleFonts();
}

InportFail::~InportFail() = default;

void InportFail::SlotAllLanguage(int index)
{
    if (ImportResult == 1)
        ui->label->setText(KeyLabels[index]["DialogConfigError"]);
    else if (ImportResult == 2)
        ui->label->setText(KeyLabels[index]["DialogEConfigMismatch"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void InportFail::on_NewHong_clicked()
{
    close();
}

void InportFail::on_CloseButton_clicked()
{
    close();
}
