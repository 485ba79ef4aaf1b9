#include "common/UpDateWarning.h"

#include "ui_UpDateWarning.h"

#include "common/LabelCatalogue.h"

UpDateWarning::UpDateWarning(QWidget *parent) : NoticeDialog(parent), ui(new Ui::UpDateWarning)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->WarningFrame;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
    scaleFonts();
}

UpDateWarning::~UpDateWarning() = default;

void UpDateWarning::SetText(const QString &text)
{
    ui->label->setText(text);
}

void UpDateWarning::SlotAllLanguage(int index)
{
    // The message is the caller's (SetText).
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void UpDateWarning::on_NewHong_clicked()
{
    close();
}

void UpDateWarning::on_CloseButton_clicked()
{
    close();
}
