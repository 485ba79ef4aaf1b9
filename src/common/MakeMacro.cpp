#include "common/MakeMacro.h"

#include "ui_MakeMacro.h"

#include "common/LabelCatalogue.h"

MakeMacro::MakeMacro(QWidget *parent) : NoticeDialog(parent), ui(new Ui::MakeMacro)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->MakeMacroA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    scaleFonts();
}

MakeMacro::~MakeMacro() = default;

void MakeMacro::SlotAllLanguage(int index)
{
    ui->label->setText(HomeLabels[index]["MakeMaro"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void MakeMacro::on_NewHong_clicked()
{
    close();
}

void MakeMacro::on_CloseButton_clicked()
{
    close();
}
