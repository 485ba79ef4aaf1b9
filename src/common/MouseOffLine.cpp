#include "common/MouseOffLine.h"

#include "ui_MouseOffLine.h"

#include "app/PostMsg.h"
#include "common/LabelCatalogue.h"
#include "common/NoticeChoice.h"

MouseOffLine::MouseOffLine(QWidget *parent) : NoticeDialog(parent), ui(new Ui::MouseOffLine)
{
    ui->setupUi(this);
    // The worker's online check closes the notice as soon as the mouse answers again.
    connect(PostMsg::GetInstance(), SIGNAL(SigCloseOffOnline()), this,
            SLOT(on_CloseButton_clicked()));

    Look look;
    look.frame = ui->MouseOffLineA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    look.confirmPicture = QStringLiteral("ConFirm.png");
    look.confirmClickPicture = QStringLiteral("ConFirmClick.png");
    look.frameStyleEnd = QStringLiteral("); }");
    applyLook(look);

    followLanguage();
    scaleFonts();
}

MouseOffLine::~MouseOffLine() = default;

void MouseOffLine::SlotAllLanguage(int index)
{
    if (OfflineNoticeKind == 0)
        ui->label->setText(InfoTipsLabels[index]["DialogOffline"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
    if (OfflineNoticeKind == 1)
        ui->label->setText(InfoTipsLabels[index]["TimeOut"]);
}

void MouseOffLine::on_NewHong_clicked()
{
    close();
}

void MouseOffLine::on_CloseButton_clicked()
{
    close();
}
