#include "common/MouseOffLine.h"

#include "ui_MouseOffLine.h"

#include "common/LabelCatalogue.h"
#include "common/NoticeChoice.h"
#include "hub/PostMsg.h"

MouseOffLine::MouseOffLine(QWidget *parent)
    : NoticeDialog(parent), ui(new Ui::MouseOffLine), Kind(OfflineNoticeKind)
{
    ui->setupUi(this);
    // The worker's online check closes the notice as soon as the mouse answers again.
    connect(PostMsg::GetInstance(), SIGNAL(SigCloseOffOnline()), this, SLOT(SlotMouseBack()));

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
    switch (Kind) {
    case MouseNoticeOffline:
        ui->label->setText(InfoTipsLabels[index]["DialogOffline"]);
        break;
    case MouseNoticeTimeOut:
        ui->label->setText(InfoTipsLabels[index]["TimeOut"]);
        break;
    case MouseNoticeRefused:
        ui->label->setText(InfoTipsLabels[index]["DialogRefused"]);
        break;
    case MouseNoticeStillReading:
        ui->label->setText(InfoTipsLabels[index]["DialogStillReading"]);
        break;
    default:
        break;
    }
    ui->NewHong->setText(CommonLabels[index]["OK"]);
}

void MouseOffLine::SlotMouseBack()
{
    // A mouse that answers again has not taken a refused change after all,
    // and a read still under way is not over: those notices stay.
    if (Kind == MouseNoticeOffline || Kind == MouseNoticeTimeOut)
        close();
}

void MouseOffLine::on_NewHong_clicked()
{
    close();
}

void MouseOffLine::on_CloseButton_clicked()
{
    close();
}
