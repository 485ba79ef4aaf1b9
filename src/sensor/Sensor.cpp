#include "sensor/Sensor.h"

#include "app/PagePlaceholder.h"
#include "app/PostMsg.h"
#include "common/SharedState.h"

#include <QLabel>

Sensor::Sensor(QWidget *parent) : QWidget(parent)
{
    Title = BuildPagePlaceholder(this, "Sensor");
    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigHideModel(int)), this, SLOT(SlotHideModel(int)));
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

Sensor::~Sensor() = default;

void Sensor::SlotUpDataSenSorUISensor(FlashDataMap)
{
    // The page has no controls to fill yet; it still reports the read as
    // applied, which is what the wait dialog waits for.
    SensorPageUpdated = true;
}

void Sensor::SlotFormReset() {}

void Sensor::SlotUpDataReportRate(int) {}

void Sensor::SlotUpDataDPI(int) {}

void Sensor::SlotUpDataSenSorUIB(FlashDataMap) {}

void Sensor::SlotAllLanguage(int) {}

void Sensor::SlotHideModel(int) {}
