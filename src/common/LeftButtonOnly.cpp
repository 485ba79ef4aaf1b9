#include "common/LeftButtonOnly.h"

#include "ui_LeftButtonOnly.h"

#include "common/LabelCatalogue.h"

LeftButtonOnly::LeftButtonOnly(QWidget *parent) : NoticeDialog(parent), ui(new Ui::LeftButtonOnly)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->ButtonOnly;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    applyLook(look);

    followLanguage();
    scaleFonts();
}

LeftButtonOnly::~LeftButtonOnly() = default;

void LeftButtonOnly::SlotAllLanguage(int index)
{
    ui->label->setText(KeyLabels[index]["DialogKeepLeftKey"]);
}

void LeftButtonOnly::on_CloseButton_clicked()
{
    close();
}
