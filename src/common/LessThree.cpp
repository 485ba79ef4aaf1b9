#include "common/LessThree.h"

#include "ui_LessThree.h"

#include "common/LabelCatalogue.h"

LessThree::LessThree(QWidget *parent) : NoticeDialog(parent), ui(new Ui::LessThree)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->LessThreeframe;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    scaleFonts();
}

LessThree::~LessThree() = default;

void LessThree::SlotAllLanguage(int index)
{
    ui->label->setText(KeyLabels[index]["DialogDebounceTips"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void LessThree::on_NewHong_clicked()
{
    close();
}

void LessThree::on_CloseButton_clicked()
{
    close();
}
