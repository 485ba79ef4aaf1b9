#include "sensor/Advanced.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "sensor/AngleMove.h"
#include "sensor/CurvePlotWidget.h"
#include "ui_Advanced.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QTabBar>

Advanced::Advanced(QWidget *parent) : QWidget(parent), ui(new Ui::Advanced)
{
    ui->setupUi(this);
    for (CurvePlotWidget *plot : {ui->PicA, ui->PicB, ui->PicC, ui->PicD})
        plot->setEditable(false);
    ui->FrameAngle->hide();
    CurveGroup = new QButtonGroup(this);
    CurveGroup->setExclusive(true);
    for (QAbstractButton *box : {ui->checkBox_3, ui->checkBox_4, ui->checkBox_5, ui->checkBox_6})
        CurveGroup->addButton(box);
    ui->AdvancedTab->setCurrentIndex(0);
    ui->ModeTab->setCurrentIndex(0);
    ui->checkBox_3->setChecked(true);
    ui->verticalScrollBar->hide();
    ui->verticalScrollBar->setStyleSheet(
        "QScrollBar:vertical{background:#3f3f3f;width:12px;border-radius:6px;margin:0px;}"
        "QScrollBar::handle:vertical{background:#5B5B5B;border-radius:5px;min-height:20px;}"
        "QScrollBar::handle:vertical:hover{background:#666666;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}");
    ui->FrameLongMode->hide();

    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Advanced/";
    LabelColorText = ThemeColorText("LabelColor");
    const QString p = PicturePath;
    ui->TitleButton->setStyleSheet("#TitleButton{border-image: url(" + p + "Title.png);}");
    ui->TitleButton_5->setStyleSheet("#TitleButton_5{border-image: url(" + p + "Title.png);}");
    const QString pane = "QTabWidget::pane {    border: 0px solid #AAAAAA;    "
                         "background-color: transparent;}";
    ui->AdvancedTab->setStyleSheet(pane);
    ui->ModeTab->setStyleSheet(pane);
    for (QWidget *label : {ui->label, ui->label_2, ui->label_4, ui->label_8, ui->label_9,
                           ui->label_10, ui->label_11})
        label->setStyleSheet("QLabel{color: rgb(" + LabelColorText + ";);}");
    ui->checkBox_2->setStyleSheet(
        "QCheckBox{color: rgb(" + LabelColorText + ";);}QCheckBox:indicator::checked {image: url(" +
        p + "CheckBoxChecked.png);}QCheckBox::indicator::unchecked {image: url(" + p +
        "CheckBox.png);}");
    for (QWidget *box : {ui->checkBox_3, ui->checkBox_4, ui->checkBox_5, ui->checkBox_6})
        box->setStyleSheet("QCheckBox{color: rgb(" + LabelColorText +
                           ";);}QCheckBox:indicator::checked {image: url(" + p +
                           "LODCheck.png);}QCheckBox::indicator::unchecked {image: url(" + p +
                           "LOD.png);}");
    for (QWidget *tip : {ui->Error, ui->Error_4})
        tip->setStyleSheet("QLabel{border-image: url(" + p + "Tips.png);}");
    ui->AdvancedTab->tabBar()->hide();
    ui->ModeTab->tabBar()->hide();

    QObject *hub = PostMsg::GetInstance();
    const auto blocking = Qt::BlockingQueuedConnection;
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()), blocking);
    connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this,
            SLOT(SlotUpDataSenSorUISensor(FlashDataMap)), blocking);
    connect(hub, SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this,
            SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), blocking);
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)), blocking);
    connect(hub, SIGNAL(Sig20KOpen(bool)), this, SLOT(Slot20KOpen(bool)));
    connect(hub, SIGNAL(SigtVis(int)), this, SLOT(SetPos(int)));

    SlotAllLanguage(CurrentLanguage);
    SetModeLabelsActive(false);
    for (QWidget *box : {ui->checkBox_6, ui->checkBox_3, ui->checkBox_4, ui->checkBox_5})
        box->setEnabled(false);
}

Advanced::~Advanced()
{
    delete ui;
}

void Advanced::wheelEvent(QWheelEvent *) {}

void Advanced::SetPos(int)
{
    static const int WithLongRange[8] = {230, 230, 230, 280, 220, 220, 220, 200};
    static const int Without[8] = {230, 170, 170, 280, 220, 220, 220, 200};
    const int language = CurrentLanguage;
    const bool knownLanguage = language >= 0 && language <= 7;
    ui->FrameFPS->hide();
    if (LongRangeShown) {
        ui->FrameLongMode->show();
        ui->FrameAngle->hide();
        if (knownLanguage)
            ui->FrameAngle->MoveTips(WithLongRange[language], 6);
        ui->FrameLongMode->move(0, 160);
        ui->FrameAngle->move(0, 263);
    } else {
        ui->FrameLongMode->hide();
        ui->FrameAngle->hide();
        if (knownLanguage)
            ui->FrameAngle->MoveTips(Without[language], 6);
        ui->FrameAngle->move(0, 160);
    }
}

void Advanced::SlotAllLanguage(int index)
{
    struct Tips
    {
        int error, error2, error3, error4;
    };
    static const Tips Table[8] = {{225, 300, 230, 280}, {165, 200, 170, 230}, {230, 200, 170, 230},
                                  {225, 320, 230, 285}, {225, 300, 220, 200}, {225, 300, 220, 200},
                                  {225, 300, 220, 290}, {205, 290, 200, 290}};
    if (index >= 0 && index <= 7) {
        const Tips &t = Table[index];
        ui->Error->move(t.error, 53);
        ui->FrameFPS->MoveTips(t.error2, 6);
        ui->FrameAngle->MoveTips(t.error3, 6);
        ui->Error_4->move(t.error4, 54);
    }
    LabelMap &texts = AdvancedSettingsLabels[index];
    CurveAxisTitleX = texts["dpiModeTipsX"];
    CurveAxisTitleY = texts["dpiModeTipsY"];
    ui->label_2->setText(texts["dpiSensitivityTitle"]);
    // A copy: the catalogue's own text keeps its line breaks.
    QString sensitivityTips = texts["dpiSensitivityTips"];
    ui->Error_4->setToolTip(sensitivityTips.replace("\n", "<br>"));
    ui->label_4->setText(texts["dpiModeTitle"]);
    LabelMap &modes = DpiModeOptionsLabels[index];
    ui->label_8->setText(modes["1"]);
    ui->label_9->setText(modes["2"]);
    ui->label_10->setText(modes["3"]);
    ui->label_11->setText(modes["0"]);
    static const int Codes[8] = {1, 3, 6, 12, 18, 30, 60, 90};
    LabelMultiMap &options = PerformanceOptionsLabels[index];
    for (int i = 0; i < 8; ++i)
        ui->frameClose->SetItemText(i, options.value(QString::number(Codes[i])));
    ui->label->setText(texts["SleepTime"]);
    ui->Error->setToolTip(texts["SleepTimeTips"]);
}

void Advanced::Fill(const FlashDataMap &b)
{
    ui->FrameAngle->ShowAngle(b.AngleDegrees);
    const int sleepIndex = StopCloseTime::IndexOfCode(b.SleepTimeCode);
    if (sleepIndex >= 0)
        ui->frameClose->SetIndex(sleepIndex);
    ui->FrameFPS->hide();
    ui->FrameFPS->SetChecked(b.Scan20KOn == 1);
    emit PostMsg::GetInstance()->SigtVis(0);
}

void Advanced::SlotUpDataSenSorUISensor(FlashDataMap DataMap)
{
    ui->FrameAngle->SetSliderEnabled(true);
    Fill(DataMap);
}

void Advanced::SlotUpDataSenSorUIB(FlashDataMap DataMap)
{
    ui->FrameAngle->setEnabled(true);
    Fill(DataMap);
}

bool Advanced::ModelOffersLongRange() const
{
    const QString group = "Drive" + QString::number(CurrentDeviceInfo.DriveIndex + 1);
    const QStringList list = ConfigIniStore::GetInstance()->GetValueList(group, "Adveanced");
    // A model the catalogue does not describe offers nothing.
    return !list.isEmpty() && list.at(0).trimmed() != QLatin1String("-1");
}

void Advanced::SlotForm()
{
    LongRangeShown = ModelOffersLongRange();
    ui->FrameLongMode->setVisible(LongRangeShown);
    if (CurrentDeviceInfo.Wired) {
        ui->FrameLongMode->hide();
        LongRangeShown = false;
    }
    emit PostMsg::GetInstance()->SigtVis(0);
}

void Advanced::SlotFormB()
{
    SlotForm();
}

void Advanced::SlotLongRangeMode(bool Select)
{
    // The mode belongs to the wireless link: a mouse on its cable reports it
    // too, but has no long range to switch.
    if (ModelOffersLongRange() && !CurrentDeviceInfo.Wired) {
        ui->FrameLongMode->show();
        ui->FrameLongMode->SetChecked(Select);
        LongRangeShown = true;
    }
    emit PostMsg::GetInstance()->SigtVis(0);
}

void Advanced::SlotFormReset()
{
    ui->frameClose->SetIndex(2);
    ui->FrameLongMode->hide();
    // The next layout shows the frame, but only for a model that has the mode
    // and is not on its cable.
    LongRangeShown = ModelOffersLongRange() && !CurrentDeviceInfo.Wired;
    ui->FrameFPS->SetChecked(false);
    ui->FrameAngle->ShowAngle(0);
}

void Advanced::Slot20KOpen(bool Open)
{
    ui->FrameFPS->hide();
    if (!Open)
        ui->FrameFPS->SetChecked(false);
}

void Advanced::on_verticalScrollBar_valueChanged(int value)
{
    if (value == 1)
        ui->AdvancedTab->setCurrentIndex(0);
    else if (value == 2)
        ui->AdvancedTab->setCurrentIndex(1);
}

void Advanced::on_checkBox_3_clicked(bool checked)
{
    if (checked)
        ui->ModeTab->setCurrentIndex(0);
}

void Advanced::on_checkBox_4_clicked(bool checked)
{
    if (checked)
        ui->ModeTab->setCurrentIndex(1);
}

void Advanced::on_checkBox_5_clicked(bool checked)
{
    if (checked)
        ui->ModeTab->setCurrentIndex(2);
}

void Advanced::on_checkBox_6_clicked(bool checked)
{
    if (checked)
        ui->ModeTab->setCurrentIndex(3);
}

void Advanced::on_checkBox_2_clicked(bool checked)
{
    for (QWidget *box : {ui->checkBox_3, ui->checkBox_4, ui->checkBox_5, ui->checkBox_6})
        box->setEnabled(checked);
    SetModeLabelsActive(checked);
}

void Advanced::SetModeLabelsActive(bool active)
{
    const QString style = active ? "QLabel{color: rgb(" + LabelColorText + ";);}"
                                 : QString("QLabel{color: rgb(115,115,115);}");
    for (QWidget *label : {ui->label_8, ui->label_9, ui->label_10, ui->label_11})
        label->setStyleSheet(style);
}
