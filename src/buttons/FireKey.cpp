#include "buttons/FireKey.h"

#include "ui_FireKey.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "hub/PostMsg.h"

#include <QLabel>

namespace {

// Space kept between a caption and the dialog's right edge.
constexpr int CaptionMargin = 6;

// Gives a caption the room its text needs in the current font: wider to the
// right, or to the left where the dialog ends first, and taller upwards, away
// from the box below it. The form's room is for its own, shorter texts.
void FitCaption(QLabel *label)
{
    const QSize needed = label->sizeHint();
    QRect area = label->geometry();
    if (needed.width() > area.width()) {
        area.setWidth(needed.width());
        const int right = label->parentWidget()->width() - 1 - CaptionMargin;
        if (area.right() > right)
            area.moveRight(right);
        if (area.left() < 0)
            area.setLeft(0);
    }
    if (needed.height() > area.height())
        area.setTop(area.bottom() + 1 - needed.height());
    label->setGeometry(area);
}

} // namespace

FireKey::FireKey(QWidget *parent) : NoticeDialog(parent), ui(new Ui::FireKey)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->FireKeyA;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong, ui->NewHong_2};
    look.stretchFrame = true;
    applyLook(look);
    const QString labelSheet = QStringLiteral("QLabel{color: rgb(") +
                               ThemeColorText(QStringLiteral("LabelColor")) +
                               QStringLiteral(";);}");
    for (QLabel *label : {ui->label, ui->label_2, ui->label_3})
        label->setStyleSheet(labelSheet);
    const QString spinSheet = QStringLiteral("QSpinBox{color: rgb(") +
                              ThemeColorText(QStringLiteral("LinEditColor")) +
                              QStringLiteral(");}");
    ui->Count->setStyleSheet(spinSheet);
    ui->Time->setStyleSheet(spinSheet);

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
    scaleFonts();
    FitCaptions();
}

FireKey::~FireKey() = default;

void FireKey::SetTimes(int value)
{
    ui->Count->setValue(value);
}

void FireKey::SetInterval(int value)
{
    ui->Time->setValue(value);
}

void FireKey::on_CloseButton_clicked()
{
    Accepted = false;
    close();
}

void FireKey::on_NewHong_2_clicked()
{
    Accepted = false;
    close();
}

void FireKey::on_NewHong_clicked()
{
    Accepted = true;
    Interval = ui->Time->value();
    Times = ui->Count->value();
    close();
}

void FireKey::SlotAllLanguage(int index)
{
    ui->label->setText(KeyLabels[index]["DialogFireKeyTimes"]);
    ui->label_2->setText(KeyLabels[index]["DialogFireKeyInterval"]);
    ui->label_3->setText(KeyLabels[index]["DialogFireKeyTips"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
    ui->NewHong_2->setText(CommonLabels[index]["Cancel"]);
    FitCaptions();
}

void FireKey::FitCaptions()
{
    FitCaption(ui->label);
    FitCaption(ui->label_2);
}
