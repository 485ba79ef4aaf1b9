#include "sensor/Sensor.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "sensor/SensorStyles.h"
#include "ui_Sensor.h"

#include <QCoreApplication>
#include <QEvent>
#include <QListView>

namespace {

const int PerformanceCodes[10] = {1, 3, 6, 12, 18, 30, 60, 90, 210, 240};

} // namespace

Sensor::Sensor(QWidget *parent) : QWidget(parent), ui(new Ui::Sensor)
{
    ui->setupUi(this);
    FormBuilt = true;
    ui->frame_3->hide();
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Sensor/";
    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigHideModel(int)), this, SLOT(SlotHideModel(int)));

    ApplyThemedCombo(ui->ModelChoose, PicturePath, 10);
    ApplyThemedCombo(ui->PerformanceOpen, PicturePath, 5);

    ReadSensorConstantsFile(QCoreApplication::applicationDirPath() + "/driver_sensor.h",
                            SensorDefineNames, SensorDefineValues, Switches);

    const QString labelColor = ThemeColorText("LabelColor");
    ui->label_5->setStyleSheet("color: rgb(" + labelColor + ");");
    ui->label->setStyleSheet("QLabel{border-image: url(" + PicturePath + "Tips.png);}");
    ui->label_2->setStyleSheet("QLabel{border-image: url(" + PicturePath + "Tips.png);}");
    ui->Performance->setStyleSheet(
        "QCheckBox{color: rgb(" + labelColor + ");}QCheckBox:indicator::checked {image: url(" +
        PicturePath + "CheckBoxChecked.png);}QCheckBox::indicator::unchecked {image: url(" +
        PicturePath + "CheckBox.png);}");
    for (QWidget *mark : {ui->TitleButton, ui->TitleButton_2, ui->TitleButton_4})
        mark->setStyleSheet("#" + mark->objectName() + "{border-image: url(" + PicturePath +
                            "Title.png);}");
    ModelView = qobject_cast<QListView *>(ui->ModelChoose->view());
    ModelField = DeviceField(ui->ModelChoose, SetSensorMode,
                             [this](int index) { ui->ModelChoose->setCurrentIndex(index); });
    PerformanceField = DeviceField(
        ui->Performance, SetPerformance,
        [this](int on) {
            ui->Performance->setChecked(on == 1);
            ui->PerformanceOpen->setEnabled(on == 1);
        },
        [](int on) { emit PostMsg::GetInstance()->Sig20KOpen(on == 1); });
    PerformanceTimeField = DeviceField(
        ui->PerformanceOpen, [](int index) { return SetPerformanceTime(PerformanceCodes[index]); },
        [this](int index) { ui->PerformanceOpen->setCurrentIndex(index); });

    connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this,
            SLOT(SlotUpDataSenSorUISensor(FlashDataMap)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataReportRate(int)), this, SLOT(SlotUpDataReportRate(int)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataDPI(int)), this, SLOT(SlotUpDataDPI(int)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this,
            SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

Sensor::~Sensor()
{
    delete ui;
}

void Sensor::changeEvent(QEvent *event)
{
    // Change events arrive while the form is still being built.
    if (FormBuilt)
        ui->PerformanceOpen->setEnabled(ui->Performance->isChecked());
    // The base class repaints, relayouts and re-polishes on font, style,
    // palette and theme changes.
    QWidget::changeEvent(event);
}

QString Sensor::DriveGroup() const
{
    return "Drive" + QString::number(CurrentDeviceInfo.DriveIndex + 1);
}

bool Sensor::ListsModel(const QString &switchText) const
{
    return SwitchListsModel(switchText, CurrentSensorModel);
}

void Sensor::SlotAllLanguage(int index)
{
    static const int LabelX[8] = {203, 160, 235, 163, 203, 203, 213, 178};
    static const int Label2X[8] = {630, 530, 650, 510, 530, 530, 630, 630};
    if (index >= 0 && index <= 7) {
        ui->label->move(LabelX[index], 361);
        ui->label_2->move(Label2X[index], 361);
        ui->frameLOD->SetTipPosition(index);
        ui->frame->SetTipPosition(index);
        ui->frame_3->SetTipPosition(index);
        ui->frame_4->SetTipPosition(index);
    }
    LabelMap &texts = SensorLabels[index];
    ui->frameDpi->SetTitleText(texts["DPISetting"]);
    ui->frameRate->SetTitleText(texts["ReportRate"]);
    ui->label_5->setText(texts["SensorSetting"]);
    ui->label_11->setText(texts["SensorMode"]);
    ui->label->setToolTip(texts["SensorModeTips"]);
    ui->frameLOD->SetTitleText(texts["LOD"]);
    ui->frameLOD->SetTipText(texts["LODTips"]);
    ui->frame_3->SetTitleText(texts["MotionSync"]);
    ui->frame_3->SetTipText(texts["MotionSyncTips"]);
    ui->Performance->setText(texts["Performance"]);
    ui->label_2->setToolTip(texts["PerformanceTips"]);
    LabelMultiMap &options = PerformanceOptionsLabels[index];
    for (int i = 0; i < 8 && i < ui->PerformanceOpen->count(); ++i)
        ui->PerformanceOpen->setItemText(i, options.value(QString::number(PerformanceCodes[i])));
    ui->frame->SetTitleText(texts["Ripple"]);
    ui->frame->SetTipText(texts["RippleTips"]);
    ui->frame_4->SetTitleText(texts["Angle"]);
    ui->frame_4->SetTipText(texts["AngleTips"]);
}

void Sensor::on_ModelChoose_currentIndexChanged(int index)
{
    // Item 2 is the mode of a cable or a high rate: shown, never chosen.
    if (index < 0 || index == 2)
        ModelField.ShowHeld();
    else
        ModelField.Change(index);
}

void Sensor::on_PerformanceOpen_currentIndexChanged(int index)
{
    if (index < 0 || index >= 10)
        PerformanceTimeField.ShowHeld();
    else
        PerformanceTimeField.Change(index);
}

void Sensor::on_Performance_clicked(bool checked)
{
    PerformanceField.Change(checked ? 1 : 0);
    emit PostMsg::GetInstance()->SigtVis(0);
}

void Sensor::on_Performance_toggled(bool checked)
{
    ui->PerformanceOpen->setEnabled(checked);
}
