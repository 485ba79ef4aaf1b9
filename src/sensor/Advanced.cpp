#include "sensor/Advanced.h"

#include "app/PagePlaceholder.h"
#include "app/PostMsg.h"
#include "common/SharedState.h"

#include <QLabel>

Advanced::Advanced(QWidget *parent) : QWidget(parent)
{
    Title = BuildPagePlaceholder(this, "Advanced");
    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigtVis(int)), this, SLOT(SetPos(int)));
    connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this,
            SLOT(SlotUpDataSenSorUISensor(FlashDataMap)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this,
            SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(Sig20KOpen(bool)), this, SLOT(Slot20KOpen(bool)));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

Advanced::~Advanced() = default;

// The page has no frames to lay out or controls to fill yet.
void Advanced::SetPos(int) {}

void Advanced::SlotUpDataSenSorUISensor(FlashDataMap) {}

void Advanced::SlotUpDataSenSorUIB(FlashDataMap) {}

void Advanced::SlotLongRangeMode(bool) {}

void Advanced::SlotForm() {}

void Advanced::SlotFormB() {}

void Advanced::SlotFormReset() {}

void Advanced::Slot20KOpen(bool) {}

void Advanced::SlotAllLanguage(int) {}
