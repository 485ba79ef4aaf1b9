#include "light/LampLight.h"

#include "app/PagePlaceholder.h"
#include "app/PostMsg.h"
#include "common/SharedState.h"

#include <QLabel>

LampLight::LampLight(QWidget *parent) : QWidget(parent)
{
    Title = BuildPagePlaceholder(this, "Lighting");
    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigUpDataLightLight(FlashDataMap)), this,
            SLOT(SlotUpDataLightUILight(FlashDataMap)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataLightUIA(FlashDataMap)), this,
            SLOT(SlotUpDataLightUIA(FlashDataMap)));
    connect(hub, SIGNAL(SigUpDataDPILed(FlashDataMap)), this, SLOT(SlotUpDataDPILed(FlashDataMap)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigRGBValue(DongleRGB *)), this, SLOT(SlotRGBValue(DongleRGB *)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetLight()),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

LampLight::~LampLight() = default;

void LampLight::SlotUpDataLightUILight(FlashDataMap)
{
    // No light controls to fill yet; the read still counts as applied, which
    // is what the wait dialog waits for.
    LightPageUpdated = true;
}

void LampLight::SlotUpDataLightUIA(FlashDataMap) {}

void LampLight::SlotUpDataDPILed(FlashDataMap) {}

void LampLight::SlotRGBValue(DongleRGB *) {}

void LampLight::SlotForm() {}

void LampLight::SlotFormB() {}

void LampLight::SlotFormResetLight() {}

void LampLight::SlotAllLanguage(int) {}
