#include "common/QuestiondialogB.h"

#include "ui_QuestiondialogB.h"

#include "common/LabelCatalogue.h"

QuestiondialogB::QuestiondialogB(QWidget *parent)
    : NoticeDialog(parent), ui(new Ui::QuestiondialogB)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->QuestionB;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    applyLook(look);
    setFixedSize(width(), height());

    followLanguage();
    scaleFonts();
}

QuestiondialogB::~QuestiondialogB() = default;

void QuestiondialogB::SlotAllLanguage(int index)
{
    ui->label->setText(HomeLabels[index]["ErrorDevice"]);
}

void QuestiondialogB::on_CloseButton_clicked()
{
    close();
}
