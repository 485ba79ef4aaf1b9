#include "common/GroupMaxThree.h"

#include "ui_GroupMaxThree.h"

#include "common/LabelCatalogue.h"

GroupMaxThree::GroupMaxThree(QWidget *parent) : NoticeDialog(parent), ui(new Ui::GroupMaxThree)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->MaxThree;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    scaleFonts();
}

GroupMaxThree::~GroupMaxThree() = default;

void GroupMaxThree::SlotAllLanguage(int index)
{
    ui->label->setText(HomeLabels[index]["MaxThree"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void GroupMaxThree::on_NewHong_clicked()
{
    close();
}

void GroupMaxThree::on_CloseButton_clicked()
{
    close();
}
