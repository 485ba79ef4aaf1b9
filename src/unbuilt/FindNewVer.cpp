#include "unbuilt/FindNewVer.h"
#include "ui_FindNewVer.h"

#include "common/LabelCatalogue.h"

FindNewVer::FindNewVer(QWidget *parent) : NoticeDialog(parent), ui(new Ui::FindNewVer)
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

FindNewVer::~FindNewVer() = default;

void FindNewVer::on_NewHong_clicked()
{
    close();
}

void FindNewVer::SlotAllLanguage(int index)
{
    ui->label->setText(UpdateLabels[index]["UpgradeTips"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
    ui->NoApear->setText(HomeLabels[index]["NoApear"]);
}

void FindNewVer::on_CloseButton_clicked()
{
    close();
}
