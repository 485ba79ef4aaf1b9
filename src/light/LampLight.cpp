#include "light/LampLight.h"

#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "light/LightStyles.h"
#include "light/MouseLight.h"
#include "light/OneLed.h"
#include "light/ReceiveLight.h"
#include "light/SensorEffect.h"
#include "light/ThreeLed.h"

#include "ui_LampLight.h"

#include <QButtonGroup>
#include <QTabBar>

namespace {

const char *const ScrollBarStyle =
    "QScrollBar:vertical{width: 12px;background: #3f3f3f;border-radius: 6px;margin: 0px;}"
    "QScrollBar::handle:vertical{background: #5B5B5B;border-radius: 5px;min-height: 20px;}"
    "QScrollBar::handle:vertical:hover{background: #666666;}"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical{height: 0px;border: none;}"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical{background: none;}";

} // namespace

LampLight::LampLight(QWidget *parent) : QWidget(parent), ui(new Ui::LampLight)
{
    ui->setupUi(this);
    PictureFolder = LightStyles::LightFolder();
    // The receiver records are process-wide and start zeroed (light/LightState.h).
    Group = new QButtonGroup(this);
    Group->setExclusive(true);

    ui->FrameMouseLight->hide();
    ui->verticalScrollBar->hide();

    ui->tabWidget->setStyleSheet(
        "QTabWidget::pane {    border: 0px solid #AAAAAA;    background-color: transparent;}");
    ui->verticalScrollBar->setStyleSheet(ScrollBarStyle);
    ui->tabWidget->tabBar()->hide();
    ui->FrameOneLed->hide();

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);

    // The device event callback and the worker wait until these have run.
    const auto blocking = Qt::BlockingQueuedConnection;
    connect(hub, SIGNAL(SigUpDataLightLight(FlashDataMap)), this,
            SLOT(SlotUpDataLightUILight(FlashDataMap)), blocking);
    connect(hub, SIGNAL(SigUpDataLightUIA(FlashDataMap)), this,
            SLOT(SlotUpDataLightUIA(FlashDataMap)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetLight()), blocking);
    connect(hub, SIGNAL(SigUpDataDPILed(FlashDataMap)), this, SLOT(SlotUpDataDPILed(FlashDataMap)),
            blocking);
    connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), blocking);
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigRGBValue(DongleRGB *)), this, SLOT(SlotRGBValue(DongleRGB *)), blocking);
    ui->tabWidget->setCurrentIndex(0);
}

LampLight::~LampLight()
{
    delete ui;
}

SensorEffect *LampLight::dpiEffectEditor() const
{
    return ui->frameEffect;
}

MouseLight *LampLight::mouseLightEditor() const
{
    return ui->FrameMouseLight;
}

ReceiveLight *LampLight::receiverLightEditor() const
{
    return ui->FrameReceiveLight;
}

OneLed *LampLight::indicatorChoiceEditor() const
{
    return ui->FrameOneLed;
}

ThreeLed *LampLight::indicatorLedEditor() const
{
    return ui->FrameThreeLed;
}

void LampLight::SlotAllLanguage(int index)
{
    LabelMultiMap &options = DPIEffectOptionsLabels[index];
    for (int i = 0; i < 3; ++i)
        ui->frameEffect->SetModeItemText(i, options.value(QString::number(i)));
    LabelMap &light = LightLabels[index];
    ui->frameEffect->SetTitleText(light["DPIEffect"]);
    ui->frameEffect->SetSpeedLabelText(light["Speed"]);
    ui->frameEffect->SetBrightnessLabelText(light["Brightness"]);
}

void LampLight::on_StopCloseTime_activated(int index)
{
    static const int Codes[11] = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};
    if (!DeviceDataReady || LightPageFilling || index < 0 || index > 10)
        return;
    SetSleepTime(Codes[index]);
}

void LampLight::wheelEvent(QWheelEvent *) {}

void LampLight::changeEvent(QEvent *) {}
