#include "common/DeleteConfirm.h"

#include "ui_DeleteConfirm.h"

#include "common/LabelCatalogue.h"

DeleteConfirm::DeleteConfirm(QWidget *parent) : NoticeDialog(parent), ui(new Ui::DeleteConfirm)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->DeleteConfirmA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    scaleFonts();
}

DeleteConfirm::~DeleteConfirm() = default;

void DeleteConfirm::SlotAllLanguage(int index)
{
    ui->label->setText(MacroLabels[index]["DialogDeleteMacro"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void DeleteConfirm::on_NewHong_clicked()
{
    OkChosen = true;
    close();
}

void DeleteConfirm::on_CloseButton_clicked()
{
    OkChosen = false;
    close();
}
