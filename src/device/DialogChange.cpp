#include "device/DialogChange.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/MacroIniStore.h"
#include "common/SharedState.h"
#include "common/ThemeStyles.h"
#include "common/mytoolButtonEnter.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "device/FailRecords.h"
#include "device/FirmwareHooks.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"
#include "ui_DialogChange.h"

#include <QCoreApplication>
#include <QEvent>
#include <QListView>

DialogChange *ChooserPage = nullptr;
QString DialogChange::PleaseConnectText;
QString DialogChange::RepairText;
QString DialogChange::OfflineTipText;
QString DialogChange::PairTipText;
QString DialogChange::NewVersionText;
int DialogChange::SelectPauseMs = 150;

namespace {

// A flash that did not end is offered its repair: a device's record, or a
// device found in boot mode whose record was lost.
bool repairOffered()
{
    FirmwareHooks::recordBootModeDevices();
    return !FailRecords::read().isEmpty();
}

} // namespace

DialogChange::DialogChange(QWidget *parent) : QWidget(parent), ui(new Ui::DialogChange)
{
    ui->setupUi(this);
    ChooserPage = this;
    PictureFolder =
        QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/DialogChange/");
    WarningFolder =
        QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/WarningDialog/");
    ApplyStyles();

    QListView *view = ThemeStyles::NewComboView(ui->comboBox);
    ui->comboBox->setView(view);
    ui->comboBox->setMaxVisibleItems(5);
    const QString select = ThemeColorText(QStringLiteral("ComboxSelectColor"));
    view->setStyleSheet(QStringLiteral("QListView::item:selected{background-color: rgb(") + select +
                        QStringLiteral(");}QListView::item:hover{background-color: rgb(") + select +
                        QStringLiteral(");}"));

    ui->label_2->show();
    ui->label_3->show();
    ui->RightButton->hide();
    ui->LeftButton->hide();

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, &PostMsg::SigLanguageSameA, this, &DialogChange::SlotSameLanguageA);
    connect(hub, &PostMsg::SigUpDateButton, this, &DialogChange::SlotUpDateButton);
    connect(hub, &PostMsg::SigEnterKey, this, &DialogChange::SlotEnterKey);

    ui->Repair->hide();
    if (repairOffered())
        ui->Repair->show();

    UnknownModelIndex = DeviceCatalogue::ModelCount();

    connect(hub, &PostMsg::SigAllLanguage, this, &DialogChange::SlotAllLanguage);
    SlotAllLanguage(CurrentLanguage);
    ui->FindVer->hide();

    StartUsbChanged(OnChooserUsbChanged, 600);
}

DialogChange::~DialogChange()
{
    if (ChooserPage == this)
        ChooserPage = nullptr;
}

QString DialogChange::Style(const QString &tmpl, const QString &picture) const
{
    return QString(tmpl).replace(QStringLiteral("%P"), PictureFolder + picture);
}

void DialogChange::ApplyStyles()
{
    const QString f = PictureFolder;
    const QString w = WarningFolder;
    auto threeState = [](const QString &folder, const QString &p, const QString &h,
                         const QString &q) {
        return QStringLiteral("QToolButton{border:0px;background-image: url(") + folder + p +
               QStringLiteral(");background-position:center;background-repeat:no-repeat;}"
                              "QToolButton:hover{background-image: url(") +
               folder + h + QStringLiteral(");}QToolButton:pressed{background-image: url(") +
               folder + q + QStringLiteral(");}");
    };
    auto arrow = [&f](const QString &p, const QString &h) {
        return QStringLiteral("QToolButton{border-image: url(") + f + p +
               QStringLiteral(");}QToolButton:hover{border-image: url(") + f + h +
               QStringLiteral(");}");
    };
    const QString text = ThemeColorText(QStringLiteral("ComboxTextColor"));
    const QString select = ThemeColorText(QStringLiteral("ComboxSelectColor"));
    const QString back = ThemeColorText(QStringLiteral("ComboxBackGroundColor"));

    ui->frameChange->setStyleSheet(QStringLiteral("#frameChange{border-image: url(") + f +
                                   QStringLiteral("MainBack.png);}"));
    ui->CloseButton->setStyleSheet(threeState(f, QStringLiteral("Close.png"),
                                              QStringLiteral("CloseHover.png"),
                                              QStringLiteral("CloseClick.png")));
    ui->MinButton->setStyleSheet(threeState(f, QStringLiteral("Min.png"),
                                            QStringLiteral("MinHover.png"),
                                            QStringLiteral("MinClick.png")));
    ui->Repair->setStyleSheet(QStringLiteral("#Repair{border:0px;background-image: url(") + f +
                              QStringLiteral("Repair.png);background-position:center;"
                                             "background-repeat:no-repeat;}"));
    ui->RightButton->setStyleSheet(
        arrow(QStringLiteral("Right.png"), QStringLiteral("RightClick.png")));
    ui->LeftButton->setStyleSheet(
        arrow(QStringLiteral("Left.png"), QStringLiteral("LeftClick.png")));
    ui->comboBox->setStyleSheet(
        QStringLiteral("QComboBox{border: 1px solid gray; color: rgb(") + text +
        QStringLiteral("); border-image: url(") + f +
        QStringLiteral("ComboboxBack.png);}QComboBox::drop-down:button{border-radius:5px; "
                       "background:rgb(") +
        back + QStringLiteral(");} QComboBox::down-arrow{image: url(") + f +
        QStringLiteral("Menu.png); right: 8px; }QComboBox::down-arrow:on{ image: url(") + f +
        QStringLiteral("MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}"
                       "QComboBox QAbstractItemView {outline: 0px solid gray; border: 1px  "
                       "solid gray;color: rgb(") +
        text + QStringLiteral("); border-image: url(") + f +
        QStringLiteral("ComboboxTextBack.png);selection-background-color: rgb(") + select +
        QStringLiteral("); }"));

    const QString label = ThemeColorText(QStringLiteral("LabelColor"));
    const QString button = ThemeColorText(QStringLiteral("ButtonColor"));
    ui->FindVerlaebl->setStyleSheet(QStringLiteral("QLabel{color: rgb(") + label +
                                    QStringLiteral(";);}"));
    ui->NewHong->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-"
                       "repeat;color: rgb(") +
        button + QStringLiteral(";);border-image: url(") + w +
        QStringLiteral("Confirm.png);}QToolButton:pressed{border-image: url(") + w +
        QStringLiteral("ConfirmClick.png); }"));
    ui->CloseButton_2->setStyleSheet(threeState(w, QStringLiteral("Close.png"),
                                                QStringLiteral("CloseHover.png"),
                                                QStringLiteral("CloseClick.png")));
    ui->FindVer->setStyleSheet(
        QStringLiteral("#FindVer{border:0px;background-position:center;background-repeat:no-"
                       "repeat;background-image: url(") +
        w + QStringLiteral("BackGround.png);}"));
    ui->NoApear->setStyleSheet(QStringLiteral("QCheckBox{color: rgb(") + label +
                               QStringLiteral(";);}QCheckBox::indicator:checked {image: url(") + w +
                               QStringLiteral("CheckBoxCheck.png);}QCheckBox::indicator:"
                                              "unchecked {image: url(") +
                               w + QStringLiteral("CheckBox.png);}"));
}

void DialogChange::UpdateRepairState()
{
    if (repairOffered()) {
        ui->Repair->show();
        ui->label_2->setText(RepairText);
    } else {
        ui->Repair->hide();
        ui->label_2->setText(PleaseConnectText);
    }
}

void DialogChange::SlotAllLanguage(int index)
{
    if (!ui->Repair->isVisible())
        ui->label_2->setText(HomeLabels[index].value(QStringLiteral("PleaseEnter")));
    ui->label_3->setText(HomeLabels[index].value(QStringLiteral("ClickIn")));
    PleaseConnectText = HomeLabels[index].value(QStringLiteral("PleaseEnter"));
    OfflineTipText = InfoTipsLabels[index].value(QStringLiteral("DialogOffline"));
    PairTipText = HomeLabels[index].value(QStringLiteral("PairTips_z"));
    RepairText = HomeLabels[index].value(QStringLiteral("RepairDevice"));
    if (ui->Repair->isVisible())
        ui->label_2->setText(RepairText);
    ui->FindVerlaebl->setText(UpdateLabels[index].value(QStringLiteral("UpgradeTips")));
    ui->NewHong->setText(CommonLabels[index].value(QStringLiteral("OK")));
    ui->NoApear->setText(HomeLabels[index].value(QStringLiteral("NoApear")));
    NewVersionText = HomeLabels[index].value(QStringLiteral("NewVerTips"));
    for (QLabel *icon : qAsConst(OfflineIcons)) {
        icon->setToolTip(OfflineTipText + QStringLiteral("\n") + PairTipText);
        icon->setFont(ui->NoApear->font());
    }
}

void DialogChange::on_comboBox_activated(int index)
{
    if (!MacroIniStore::GetInstance()->SetValue(
            QStringLiteral("Language"), QStringLiteral("Language"), QString::number(index))) {
        // Not stored: the pages keep the language that is.
        SlotSameLanguageA(CurrentLanguage);
        return;
    }
    CurrentLanguage = index;
    emit PostMsg::GetInstance()->SigAllLanguage(index);
    emit PostMsg::GetInstance()->SigLanguageSameB(index);
}

void DialogChange::SlotSameLanguageA(int index)
{
    const bool blocked = ui->comboBox->blockSignals(true);
    ui->comboBox->setCurrentIndex(index);
    ui->comboBox->blockSignals(blocked);
}

void DialogChange::SlotUpDateButton(bool IsHide)
{
    ui->Repair->setVisible(!IsHide);
    ui->label_2->setText(IsHide ? PleaseConnectText : RepairText);
}

void DialogChange::SlotEnterKey()
{
    if (ui->FindVer->isVisible())
        ui->FindVer->hide();
    else if (ui->Repair->isVisible())
        on_Repair_clicked();
}

void DialogChange::on_Repair_clicked()
{
    if (FirmwareHooks::ShowRepairDialog)
        FirmwareHooks::ShowRepairDialog(this);
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
}

void DialogChange::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigChangeSize(3);
}

void DialogChange::on_MinButton_clicked()
{
    emit PostMsg::GetInstance()->SigChangeSize(2);
}

void DialogChange::on_CloseButton_2_clicked()
{
    ui->FindVer->hide();
}

void DialogChange::on_NewHong_clicked()
{
    ui->FindVer->hide();
}

void DialogChange::on_NoApear_clicked(bool checked)
{
    if (!MacroIniStore::GetInstance()->SetValue(QStringLiteral("FindNew"), QStringLiteral("IsShow"),
                                                checked ? QStringLiteral("1")
                                                        : QStringLiteral("0")))
        ui->NoApear->setChecked(!checked);
}

void DialogChange::on_RightButton_clicked()
{
    ui->label_2->hide();
    ui->label_3->show();
    const int current = ui->stackedWidget->currentIndex();
    if (current + 2 == ui->stackedWidget->count()) {
        ui->LeftButton->show();
        ui->RightButton->hide();
    }
    ui->stackedWidget->setCurrentIndex(current + 1);
}

void DialogChange::on_LeftButton_clicked()
{
    ui->label_2->hide();
    ui->label_3->show();
    const int current = ui->stackedWidget->currentIndex();
    if (current == 1) {
        ui->LeftButton->hide();
        ui->RightButton->show();
    }
    ui->stackedWidget->setCurrentIndex(current - 1);
}

void DialogChange::changeEvent(QEvent *event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    const bool blocked = ui->comboBox->blockSignals(true);
    ui->retranslateUi(this);
    ui->comboBox->setCurrentIndex(0);
    ui->comboBox->blockSignals(blocked);
}

void DialogChange::WindowClosedA()
{
    close();
}

void DialogChange::WindowMinA()
{
    showMinimized();
}

// Slots of buttons the form does not hold; nothing connects them.
void DialogChange::on_pushButton_clicked() {}
void DialogChange::on_pushButton_2_clicked() {}
void DialogChange::on_pushButton_3_clicked() {}
void DialogChange::on_pushButton_4_clicked() {}
void DialogChange::on_pushButton_5_clicked() {}
void DialogChange::on_pushButton_6_clicked() {}
void DialogChange::on_pushButton_7_clicked() {}
void DialogChange::on_pushButton_8_clicked() {}
void DialogChange::on_pushButton_9_clicked() {}
void DialogChange::on_pushButton_10_clicked() {}
void DialogChange::on_label_linkHovered(QString) {}
