#include "settings/FormSetting.h"

#include "common/ConfigIniStore.h"
#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/MacroIniStore.h"
#include "common/SharedState.h"
#include "common/StorageNotice.h"
#include "common/ThemeStyles.h"
#include "common/UpDateWarning.h"
#include "device/DeviceLink.h"
#include "device/DeviceReset.h"
#include "device/FirmwareHooks.h"
#include "device/Match.h"
#include "hub/PostMsg.h"
#include "platform/AutoStart.h"
#include "platform/MouseSettings.h"
#include "platform/ScreenMetrics.h"
#include "platform/vidide/VidIde.h"
#include "settings/BootModeRecords.h"
#include "settings/FirmwareImages.h"
#include "settings/InputPicA.h"
#include "settings/InputPicB.h"
#include "settings/LedInfo.h"
#include "settings/LightModeSet.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeState.h"
#include "ui_FormSetting.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QListView>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

namespace {
const QString ReleaseText = QStringLiteral("1.0.2.0");
}

FormSetting::FormSetting(QWidget *parent) : QWidget(parent), ui(new Ui::FormSetting)
{
    LedInfoDialog = new LedInfo(nullptr);
    InputPicADialog = new InputPicA(nullptr);
    InputPicBDialog = new InputPicB(nullptr);
    LightModeSetDialog = new LightModeSet(nullptr);
    ui->setupUi(this);
    ui->NewLabel->hide();
    ui->Receive_2->hide();

    QObject *hub = PostMsg::GetInstance();
    const auto blocking = Qt::BlockingQueuedConnection;
    connect(hub, SIGNAL(SigLanguageSameB(int)), this, SLOT(SlotLanguageSameB(int)));
    connect(hub, SIGNAL(SigSetNewVer()), this, SLOT(SetVerText()));
    connect(hub, SIGNAL(SigLightToFrom(int)), this, SLOT(SlotLightToFrom(int)));
    connect(hub, SIGNAL(SigRGBValue(DongleRGB *)), this, SLOT(SlotRGBValue(DongleRGB *)), blocking);
    connect(hub, SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)), blocking);
    connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), blocking);
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigSetver(int)), this, SLOT(SetVer(int)));
    connect(hub, SIGNAL(SigLabelText(int, QString)), this, SLOT(SlotLabelText(int, QString)));
    connect(hub, SIGNAL(SigCheckUpdate()), this, SLOT(SlotCheckUpdate()));
    connect(hub, SIGNAL(SigLabelTextB(QString, QString)), this,
            SLOT(SlotLabelTextB(QString, QString)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetForm()), blocking);
    connect(hub, SIGNAL(SigUpdateStart()), this, SLOT(on_Start()));
    connect(hub, SIGNAL(SigUpdateFrame(bool)), this, SLOT(SlotUpdateFrame(bool)));
    connect(hub, SIGNAL(SigContinue(int)), this, SLOT(SlotContinue(int)));
    connect(ui->scrollArea->verticalScrollBar(), SIGNAL(valueChanged(int)), this,
            SLOT(SlotScroolChange(int)));

    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/FormSetting/";
    if (!RepairDialog)
        RepairDialog = new UpDateRepair(nullptr);
    RepairDialog->hide();
    Warning = new UpDateWarning(nullptr);
    InstallFirmwareHooks();
    BuildStyles();

    ReceiverCheckTimer = new QTimer(this);
    MouseCheckTimer = new QTimer(this);
    connect(ReceiverCheckTimer, SIGNAL(timeout()), this, SLOT(onDongleCheckTimer()));
    connect(MouseCheckTimer, SIGNAL(timeout()), this, SLOT(onMouseCheckTimer()));
    ReceiverCheckTimer->setInterval(1000);
    MouseCheckTimer->setInterval(1000);

    ScrollOrigin = ui->label->pos();
    ui->checkBox->setChecked(
        MacroIniStore::GetInstance()->GetValue("AutoStart", "Enable").toInt() == 1);
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

FormSetting::~FormSetting()
{
    delete LedInfoDialog;
    delete InputPicADialog;
    delete InputPicBDialog;
    delete LightModeSetDialog;
}

void FormSetting::BuildStyles()
{
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    const QString f = PictureFolder;
    const QString l = config->GetColorText("Option", "LabelColor");
    ButtonColorText = config->GetColorText("Option", "ButtonColor");
    const QString s = config->GetColorText("Option", "ComboxSelectColor");
    const QString t = config->GetColorText("Option", "ComboxTextColor");
    const QString k = config->GetColorText("Option", "ComboxBackGroundColor");

    for (QWidget *label : {ui->label, ui->label_2, ui->label_3, ui->label_4, ui->label_5,
                           ui->label_6, ui->label_7, ui->label_8, ui->label_9, ui->label_10})
        label->setStyleSheet("QLabel{color: rgb(" + l + ";);}");
    const QString pairStyle =
        "{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(" +
        ButtonColorText + ";);background-image: url(" + f + "PariButton.png" + ");}";
    ui->pushButton_2->setStyleSheet("QPushButton" + pairStyle);
    ui->Reset->setStyleSheet("QToolButton" + pairStyle);
    const QString linkStyle =
        "QPushButton{border:none;background:transparent;color: rgb(" + l + ";);text-align : ";
    ui->pushButton->setStyleSheet(linkStyle + "left;padding-right:1px;}");
    ui->pushButton_3->setStyleSheet(linkStyle + "right;padding-right:1px;}");
    ui->pushButton_4->setStyleSheet(linkStyle + "right;padding-right:1px;}");
    for (QWidget *title : {ui->TitleButton_2, ui->TitleButton_3, ui->TitleButton_4,
                           ui->TitleButton_5, ui->TitleButton_8})
        title->setStyleSheet("#" + title->objectName() + "{border-image: url(" + f + "Title.png" +
                             ");}");
    ui->toolButton->setStyleSheet("#toolButton{border-image: url(" + f + "Mouse.png" + ");}");
    ui->comboBox->setStyleSheet(ThemeStyles::Combo(f, t, k, s) +
                                "QComboBox:disabled{color: rgb(63, 63, 63);}");
    ui->checkBox->setStyleSheet("#checkBox{color: rgb(255, 255, 255);}#checkBox::indicator:"
                                "unchecked{image: url(" +
                                f + "CheckBox.png" + ");}#checkBox::indicator:checked{image: url(" +
                                f + "CheckBoxChecked.png" + ");}");
    for (QWidget *indicator : {ui->toolButton_2, ui->toolButton_3}) {
        indicator->setStyleSheet(
            "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: "
            "rgb(255,106,0);background-image: url(" +
            f + "Picture.png" + ");}");
        indicator->hide();
    }
    ui->scrollArea->setFrameShape(QFrame::NoFrame);
    ui->FrameSetting->setStyleSheet(
        "QScrollArea{background-color:transparent;}QScrollBar:vertical{width:13px;background:rgb("
        "30,30,30);}QScrollBar::handle:vertical{background:rgb(117, 117, 117);border-radius:3px;"
        "min-height:30px;}QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:25px;"
        "background:rgb(30,30,30);}QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical,"
        "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;}");

    QListView *view = ThemeStyles::NewComboView(ui->comboBox);
    view->setStyleSheet("QListView::item:selected{background-color: rgb(" + s +
                        ");}QListView::item:hover{background-color: rgb(" + s + ");}");
    ui->comboBox->setView(view);
    ui->comboBox->setMaxVisibleItems(5);
}

// The chooser and the device page's hot-plug callback reach the image
// searches and the repair dialog through these hooks.
void FormSetting::InstallFirmwareHooks()
{
    FirmwareHooks::LoadUpgradeImage = [](int kind, const QString &version, const QString &name,
                                         int cid, int mid) {
        return LoadUpgradeImage(kind, version, name, cid, mid);
    };
    FirmwareHooks::LoadRepairImage = [](int kind, const QString &version, const QString &name,
                                        int cid, int mid) {
        return LoadRepairImage(kind, version, name, cid, mid);
    };
    FirmwareHooks::HasNewFirmware = [](int kind, const QString &version, int variant) {
        return HasNewFirmware(kind, version, variant);
    };
    FirmwareHooks::RepairDialogVisible = [] { return RepairDialog && RepairDialog->isVisible(); };
    FirmwareHooks::SettingsUpgradeRunning = [] { return UpgradeRunning.load(); };
    FirmwareHooks::RecordBootModeDevices = [] { RecordBootModeDevices(); };
    FirmwareHooks::ShowRepairDialog = [](QWidget *chooser) {
        if (!RepairDialog || !chooser)
            return;
        DialogPlacement::centreOver(RepairDialog, chooser);
        RepairDialog->ResetView();
        RepairDialog->setModal(true);
        RepairDialog->show();
    };
}

void FormSetting::PlaceOnPage(QWidget *dialog, int dx, int dy) const
{
    DialogPlacement::centreOver(dialog, this, dx, dy);
}

void FormSetting::mousePressEvent(QMouseEvent *) {}

void FormSetting::SlotAllLanguage(int index)
{
    QFont font(QStringLiteral("微软雅黑"), 10);
    if (FontScaled == 1)
        font.setPointSizeF(font.pointSizeF() / (ScreenMetrics::logicalDpi() / 96.0));
    ui->Receive_2->setFont(font);
    FontScaled = 1;

    struct Places
    {
        int label5x, receiveX, receiveY, tool2x, label7x, tool3x;
    };
    static const Places table[] = {{215, 280, 170, 460, 215, 460}, {150, 280, 170, 460, 150, 460},
                                   {250, 280, 170, 460, 250, 460}, {350, 430, 170, 530, 350, 460},
                                   {280, 330, 170, 460, 280, 460}, {150, 280, 170, 460, 150, 460}};
    const Places other = {235, 285, 155, 460, 235, 460};
    const Places &p = index >= 0 && index < 6 ? table[index] : other;
    ui->label_5->move(p.label5x, 155);
    ui->Receive_2->move(p.receiveX, p.receiveY);
    ui->toolButton_2->move(p.tool2x, 160);
    ui->label_7->move(p.label7x, 185);
    ui->toolButton_3->move(p.tool3x, 190);

    ui->label->setText(HomeLabels[index]["Version"] + ReleaseText);
    ui->label_2->setText(SettingsLabels[index]["Language"]);
    ui->label_3->setText(SettingsLabels[index]["DeviceInfo"]);
    ui->label_4->setText(SettingsLabels[index]["DongleVersion"]);
    ui->label_6->setText(SettingsLabels[index]["MouseVersion"]);
    ui->label_8->setText(PairLabels[index]["PairTool"]);
    ui->pushButton_2->setText(PairLabels[index]["Pair"]);
    UpgradeText = UpdateLabels[index]["Upgrade"];
    ui->Receive_2->setText(UpgradeText);
    ui->label_9->setText(HomeLabels[index]["Others"]);
    ui->label_10->setText(HomeLabels[index]["AutoOpen"]);
    ui->Reset->setText(SettingsLabels[index]["Restore"]);
    ui->label_12->setText(SettingsLabels[index]["Restore"]);
#ifdef Q_OS_WIN
    ui->pushButton->setText(HomeLabels[index]["WindowSet"]);
#else
    // Here the button opens the desktop's own mouse settings, not Windows'.
    ui->pushButton->setText(HomeLabels[index]["MouseSet"]);
#endif
    ui->NewLabel->setText(HomeLabels[index]["LabelTip"]);
    WiredModeText = HomeLabels[index]["WiredMode"];
    NoDeviceText = HomeLabels[index]["NoDevice"];
    SameDeviceText = HomeLabels[index]["SameDevice"];
    NewTipsText = KeyboardUpdateLabels[index]["newTips"];
    NoReceiverText = HomeLabels[index]["NoRecieve"];
    NoUsbText = HomeLabels[index]["NoUSB"];
    ErrorText = HomeLabels[index]["Error"];
    MultiMouseText = HomeLabels[index]["MultiMouse"];
    MultiDongleText = HomeLabels[index]["MultiDongle"];

    // Net.xml may lack the English element or some of its four texts: the
    // maker line and the link then stay empty.
    const QStringList net = NetLabels.isEmpty() ? QStringList() : NetLabels.first();
    const bool chinese = index == 1 || index == 2;
    ui->pushButton_4->setText(net.value(chinese ? 1 : 0));
    ui->pushButton_3->setText(net.value(chinese ? 2 : 3));
}

void FormSetting::on_comboBox_activated(int index)
{
    if (!MacroIniStore::GetInstance()->SetValue("Language", "Language", QString::number(index))) {
        // Not stored: the pages keep the language that is.
        SlotLanguageSameB(CurrentLanguage);
        return;
    }
    CurrentLanguage = index;
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigAllLanguage(index);
    emit hub->SigLanguageSameA(index);
}

void FormSetting::SlotLanguageSameB(int index)
{
    const bool blocked = ui->comboBox->blockSignals(true);
    ui->comboBox->setCurrentIndex(index);
    ui->comboBox->blockSignals(blocked);
}

void FormSetting::on_checkBox_clicked(bool checked)
{
    MacroIniStore *store = MacroIniStore::GetInstance();
    const QString before = store->GetValue("AutoStart", "Enable");
    const bool refused = !store->SetValue("AutoStart", "Enable",
                                          checked ? QStringLiteral("1") : QStringLiteral("0"));
    if (!refused && !AutoStart::setEnabled(checked)) {
        StorageNotice::Report(StorageNotice::Kind::Autostart, AutoStart::entryPath(),
                              checked ? QStringLiteral("the entry could not be written")
                                      : QStringLiteral("the entry could not be removed"));
        // The preference follows what the desktop will do.
        store->SetValue("AutoStart", "Enable", before);
        ui->checkBox->setChecked(!checked);
        return;
    }
    if (refused)
        ui->checkBox->setChecked(!checked);
}

void FormSetting::on_pushButton_clicked()
{
    if (MouseSettings::open())
        return;
    // Where no known desktop's tool is installed the button would seem dead.
    UpDateWarning notice(nullptr);
    notice.SetText(HomeLabels[CurrentLanguage]["NoMouseSettings"]);
    PlaceOnPage(&notice, -75, -65);
    DialogSeam::exec(notice);
}

void FormSetting::on_pushButton_3_clicked()
{
    QDesktopServices::openUrl(QUrl(ui->pushButton_3->text(), QUrl::TolerantMode));
}

void FormSetting::on_pushButton_2_clicked()
{
    {
        Match pairing;
        pairing.PreparePair();
        PlaceOnPage(&pairing, -70, -30);
        DialogSeam::exec(pairing);
    }
    // The pairing dialog held the library's callbacks; the device page takes
    // them back.
    StartUsbChanged(OnDeviceUsbChanged, 600);
    const char *path = CurrentDevicePathPtr.load();
    UsbServerC_Start(path, path, OnDeviceEvent);
}

void FormSetting::on_Reset_clicked()
{
    if (!UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr.load())) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    ConfirmAndResetDevice([this](QWidget *dialog) { PlaceOnPage(dialog, -75, -65); });
}

void FormSetting::on_checkBox_2_toggled(bool checked)
{
    if (!DeviceDataReady)
        return;
    const char *path = CurrentDevicePathPtr.load();
    if (UsbFinderC_GetDeviceOnLine(path))
        UsbFinderC_SetLongRangeMode(path, checked);
    else
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}

void FormSetting::SlotScroolChange(int index)
{
    ui->label->move(ScrollOrigin.x(), ScrollOrigin.y() + index + 10);
}

// Signals the page takes without acting on them.
void FormSetting::SlotRGBValue(DongleRGB *) {}
void FormSetting::SlotLightToFrom(int) {}
void FormSetting::SlotLongRangeMode(bool) {}
void FormSetting::on_toolButton_4_clicked() {}
void FormSetting::SlotForm() {}
void FormSetting::SlotFormB() {}
void FormSetting::SlotFormResetForm() {}
void FormSetting::on_pushButton_5_clicked() {}
void FormSetting::on_checkBox_2_clicked(bool) {}
