#include "common/SameMacro.h"

#include "ui_SameMacro.h"

#include "common/LabelCatalogue.h"

SameMacro::SameMacro(QWidget *parent) : NoticeDialog(parent), ui(new Ui::SameMacro)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->SameMacroA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    scaleFonts();
}

SameMacro::~SameMacro() = default;

void SameMacro::SlotAllLanguage(int index)
{
    ui->label->setText(MacroLabels[index]["DialogSameMacroName"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void SameMacro::on_NewHong_clicked()
{
    close();
}

void SameMacro::on_CloseButton_clicked()
{
    close();
}
