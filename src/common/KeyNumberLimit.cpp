#include "common/KeyNumberLimit.h"

#include "ui_KeyNumberLimit.h"

#include "common/LabelCatalogue.h"

KeyNumberLimit::KeyNumberLimit(QWidget *parent) : NoticeDialog(parent), ui(new Ui::KeyNumberLimit)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->LimitA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    scaleFonts();
}

KeyNumberLimit::~KeyNumberLimit() = default;

void KeyNumberLimit::SlotAllLanguage(int index)
{
    ui->label->setText(MacroLabels[index]["DialogMaxMacroKey"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void KeyNumberLimit::on_NewHong_clicked()
{
    close();
}

void KeyNumberLimit::on_CloseButton_clicked()
{
    close();
}
