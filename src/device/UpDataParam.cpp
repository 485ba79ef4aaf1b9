#include "device/UpDataParam.h"

#include "common/ConfigIniStore.h"
#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/FontScaling.h"
#include "common/InportFail.h"
#include "common/LabelCatalogue.h"
#include "common/LazyPictures.h"
#include "common/NoticeChoice.h"
#include "common/SharedState.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceField.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "ui_UpDataParam.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

int UpDataParam::TimerMs = 2500;
int UpDataParam::WaitStepMs = 500;
int UpDataParam::ResetHoldMs = 2000;
int UpDataParam::ProfileWaitStepMs = 10;

namespace {

void processEventsFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}

} // namespace

UpDataParam::UpDataParam(QWidget *parent) : QDialog(parent), ui(new Ui::UpDataParam)
{
    ui->setupUi(this);
    PictureFolder =
        QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/WarningDialog/");
    // Frameless but left to the window manager: a window that bypasses it
    // never gets the keyboard focus and floats above every other program.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);

    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    const QString colour = ThemeColorText(QStringLiteral("LabelColor"));
    ui->label->setStyleSheet(QStringLiteral("QLabel{color: rgb(") + colour +
                             QStringLiteral(";);}"));
    LazyPictures::SetStyleSheet(
        ui->UpDataParamA,
        QStringLiteral("#UpDataParamA{border:0px;background-position:center;background-repeat:no-"
                       "repeat;background-image: url(") +
            PictureFolder + QStringLiteral("BackGround.png") + QStringLiteral(");}"));

    connect(Timer, &QTimer::timeout, this, &UpDataParam::onTimeupDestroy);
    connect(PostMsg::GetInstance(), &PostMsg::SigAllLanguage, this, &UpDataParam::SlotAllLanguage);
    SlotAllLanguage(CurrentLanguage);
    ScaleWidgetFonts(this, FontScaleFactor());
}

UpDataParam::~UpDataParam() = default;

void UpDataParam::StartTimer()
{
    Timer->start(TimerMs);
}

void UpDataParam::StartProfileWait()
{
    // The read was asked for after this wait was: flags still set are an
    // earlier read's (a reset wait leaves them set).
    ButtonPageUpdated = false;
    LightPageUpdated = false;
    SensorPageUpdated = false;
    ProfileMode = true;
    Timer->start(0);
}

void UpDataParam::SlotAllLanguage(int index)
{
    ui->label->setText(InfoTipsLabels[index].value(QStringLiteral("DialogUpdating")));
}

bool UpDataParam::WaitForPages(int stepMs, int checks)
{
    for (int check = 0; check < checks; ++check) {
        if (ButtonPageUpdated && LightPageUpdated && SensorPageUpdated)
            return true;
        processEventsFor(stepMs);
    }
    return false;
}

void UpDataParam::ShowBlock(const FlashDataMap &block)
{
    // Kept or imported values of this mouse: shown as its own.
    DeviceField::SetValuesUnknown(false);
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigUpDataLightUIA(block);
    emit hub->SigUpDataSensorUIB(block);
    emit hub->SigUpDataButtonUIC(block);
    emit hub->SigFormB();
}

void UpDataParam::onTimeupDestroy()
{
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigSetver(4);

    // Each mode serves the run it was set for; the next run starts plain.
    const bool reset = ResetMode;
    const bool import = ImportMode;
    const bool profile = ProfileMode && !reset && !import;
    ResetMode = false;
    ImportMode = false;
    ProfileMode = false;

    if (reset) {
        LastWaitSucceeded = WaitForPages(WaitStepMs, 12);
        QThread::msleep(static_cast<unsigned long>(ResetHoldMs));
        close();
        if (!LastWaitSucceeded)
            emit hub->SigMouseOffLineo(0);
        return;
    }

    if (import) {
        FlashDataMap block;
        ImportResult = ReadProfileFile(ProfilePath, block);
        if (ImportResult != 0) {
            InportFail notice;
            DialogPlacement::centreOver(&notice, this);
            DialogSeam::exec(notice);
        } else {
            FlashDataOwnerInfo owner;
            owner.Path = QString::fromUtf8(CurrentDevicePathCopy());
            owner.CacheName = CacheFileNameOf(CurrentDeviceInfo);
            if (!ImportFlashData(block, owner)) {
                // The mouse did not take the profile: it keeps what it holds.
                qWarning() << "the device did not take the imported profile";
                close();
                emit hub->SigMouseOffLineo(0);
                return;
            }
            ShowBlock(block);
            processEventsFor(5 * WaitStepMs);
        }
        close();
        return;
    }

    if (!DeviceAnswered) {
        FlashDataMap cached;
        if (ReadFlashDataCache(SelectedCacheNameSafe(), cached))
            ShowBlock(cached);
        close();
        emit hub->SigMouseOffLineo(0);
        return;
    }

    // A profile's read shows as soon as the pages have it; the read wait's
    // longest wait still bounds it.
    LastWaitSucceeded =
        profile ? WaitForPages(ProfileWaitStepMs, 12 * WaitStepMs / qMax(1, ProfileWaitStepMs))
                : WaitForPages(WaitStepMs, 12);
    if (LastWaitSucceeded) {
        ButtonPageUpdated = false;
        LightPageUpdated = false;
        SensorPageUpdated = false;
    }
    close();
    if (!LastWaitSucceeded)
        emit hub->SigMouseOffLineo(1);
    FlashDataMap existing;
    if (DeviceOnline && !ReadFlashDataCache(SelectedCacheNameSafe(), existing))
        WriteFlashDataCache(LoadedCacheNameSafe(), FlashDataSnapshot());
}
