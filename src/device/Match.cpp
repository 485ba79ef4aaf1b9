#include "device/Match.h"

#include "common/ConfigIniStore.h"
#include "common/FontScaling.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/DialogChange.h"
#include "hub/PostMsg.h"
#include "platform/Logging.h"
#include "platform/vidide/VidIde.h"
#include "ui_Match.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QKeySequence>
#include <QTimer>

std::atomic<bool> PairRunning{false};
std::atomic<int> PairState{0};
std::atomic<bool> PairSuspendedDevicePage{false};
QTimer *PairWiredCheckTimer = nullptr;
QTimer *PairPollTimer = nullptr;
QTimer *PairTextTimer = nullptr;
int PairDotCount = 0;
QString PairButtonColor;
QString PairPictureDir;

namespace {

// The device page's background work comes back at every end of an attempt.
void resumeDevicePage()
{
    if (PairSuspendedDevicePage.exchange(false))
        DevicePageActive = 1;
}

QString normalButtonStyle(const QString &picture)
{
    return QStringLiteral("QPushButton{border:0px;background-position:center;background-repeat:no-"
                          "repeat;color: rgb(") +
           PairButtonColor + QStringLiteral(";);background-image: url(") + PairPictureDir +
           picture + QStringLiteral(");}");
}

} // namespace

void OnPairEvent(const unsigned char *hdr, int hdrLen, const unsigned char *payload, int payloadLen)
{
    qCDebug(lcDevice) << "in2";
    const int code = (hdr && hdrLen > 1) ? hdr[1] : 0;
    qCDebug(lcDevice) << code;
    if (code != VidEventPairStatus)
        return;
    // A status event without its byte says nothing.
    if (!payload || payloadLen < 1)
        return;
    // 2 failed, 3 paired; 1 (still pairing) and anything else say nothing.
    const int status = payload[0];
    if (status != 2 && status != 3)
        return;
    const bool paired = status == 3;
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigTimerStop();
    PairRunning = false;
    qCDebug(lcDevice) << (paired ? "success" : "fail");
    PairState = paired ? 2 : 3;
    emit hub->SigButtonEnable(paired ? 1 : 0);
    resumeDevicePage();
}

Match::Match(QWidget *parent) : QDialog(parent), ui(new Ui::Match)
{
    ui->setupUi(this);
    ScaleWidgetFonts(this, FontScaleFactor());

    PairPictureDir = QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/Setting/");
    // Frameless but left to the window manager: a window that bypasses it
    // never gets the keyboard focus and floats above every other program.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    setFixedSize(size());
    setAttribute(Qt::WA_TranslucentBackground);

    const QString labelColour = ThemeColorText(QStringLiteral("LabelColor"));
    ui->textEdit->setStyleSheet(
        QStringLiteral("#textEdit{border: transparent;background-color: transparent;color: rgb(") +
        labelColour + QStringLiteral(";);}"));
    ui->label->setStyleSheet(QStringLiteral("#label{color: rgb(") + labelColour +
                             QStringLiteral(";);}"));
    ui->label->hide();

    PairButtonColor = ThemeColorText(QStringLiteral("ButtonColor"));
    SetButtonPicture(QStringLiteral("Pair.png"));
    ui->toolButton_2->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-"
                       "repeat;color: rgb(255,255,255);background-image: url(") +
        PairPictureDir + QStringLiteral("Picture.png);}"));
    ui->CloseButton->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-"
                       "repeat;background-image: url(") +
        PairPictureDir +
        QStringLiteral("CloseSecondPage.png);}QToolButton:hover{background-image: url(") +
        PairPictureDir +
        QStringLiteral("CloseSecondPageHover.png);}QToolButton:pressed{background-image: url(") +
        PairPictureDir + QStringLiteral("CloseSecondPageClick.png);}"));
    ui->MatchA->setStyleSheet(
        QStringLiteral("#MatchA{border:0px;background-position:center;background-repeat:no-"
                       "repeat;background-image: url(") +
        PairPictureDir + QStringLiteral("BackSecondPage.png); }"));

    ConstructionPath = CurrentDeviceInfo.Path;

    PairPollTimer = new QTimer(this);
    PairWiredCheckTimer = new QTimer(this);
    PairTextTimer = new QTimer(this);
    connect(PairPollTimer, &QTimer::timeout, this, &Match::onPairTimeupDestroy);
    connect(PairWiredCheckTimer, &QTimer::timeout, this, &Match::onUSBTimeupDestroy);
    connect(PairTextTimer, &QTimer::timeout, this, &Match::onTextTimeupDestroy);
    PairPollTimer->setInterval(1000);
    PairWiredCheckTimer->setInterval(100);
    PairTextTimer->setInterval(500);

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, &PostMsg::SigTimerStop, this, &Match::SlotStopTimer);
    connect(hub, &PostMsg::SigButtonEnable, this, &Match::SlotButtonenable);
    connect(hub, &PostMsg::SigAllLanguage, this, &Match::SlotAllLanguage);
    connect(ui->CloseButton, &QToolButton::clicked, this, &Match::WindowClosedSet);
    SlotAllLanguage(CurrentLanguage);
    ui->label->hide();
    ui->textEdit->hide();
}

Match::~Match()
{
    if (PairPollTimer && PairPollTimer->parent() == this)
        PairPollTimer = nullptr;
    if (PairWiredCheckTimer && PairWiredCheckTimer->parent() == this)
        PairWiredCheckTimer = nullptr;
    if (PairTextTimer && PairTextTimer->parent() == this)
        PairTextTimer = nullptr;
}

void Match::SetButtonPicture(const QString &picture)
{
    ui->MatchButton->setStyleSheet(normalButtonStyle(picture));
}

void Match::PreparePair()
{
    ui->MatchButton->setShortcut(QKeySequence(Qt::Key_Space));
    ui->MatchButton->setEnabled(true);
    SetButtonPicture(QStringLiteral("Pair.png"));
    ui->MatchButton->setText(StartText);
    PairDotCount = 0;
    PairState = 0;

    OpenedOnChooser = DevicePageActive != 1;
    HasDevice = true;
    if (DevicePageActive == 1) {
        PairPath = ConstructionPath;
        VidText = CurrentDeviceInfo.VidText;
        PidText = CurrentDeviceInfo.PidText;
        Wired = CurrentDeviceInfo.Wired;
    } else if (PairUsesChosenDevice) {
        PairPath = PairDeviceInfo.Path;
        VidText = PairDeviceInfo.VidText;
        PidText = PairDeviceInfo.PidText;
        Wired = PairDeviceInfo.Wired;
    } else if (!FoundDevices.isEmpty()) {
        const DeviceAllInfo &first = FoundDevices.first();
        PairPath = first.Path;
        VidText = first.VidText;
        PidText = first.PidText;
        Wired = first.Wired;
    } else {
        // Nothing to pair: the button stays disabled.
        HasDevice = false;
    }
    Cid = static_cast<uint8_t>(ConfigIniStore::GetInstance()
                                   ->GetValue(QStringLiteral("Option"), QStringLiteral("CID"))
                                   .toInt());
    PairWiredCheckTimer->start();
}

void Match::onUSBTimeupDestroy()
{
    if (!PairRunning) {
        if (!HasDevice || Wired) {
            ButtonEnabled = false;
            ui->label->show();
            ui->textEdit->hide();
        } else {
            ButtonEnabled = true;
            ui->label->hide();
            ui->textEdit->show();
        }
    }
    ui->MatchButton->setEnabled(ButtonEnabled);
    if (!ButtonEnabled) {
        ui->MatchButton->setStyleSheet(
            QStringLiteral("QPushButton{border:0px;background-position:center;background-repeat:no-"
                           "repeat;color: rgb(0,0,0);background-image: url(") +
            PairPictureDir + QStringLiteral("Pair.png);}"));
    }
}

void Match::on_MatchButton_clicked()
{
    if (PairState == 2 || !ButtonEnabled)
        return;
    PairState = 1;
    PairTextTimer->start();
    ui->MatchButton->setText(PairingText);
    SetButtonPicture(QStringLiteral("Pair.png"));
    if (DevicePageActive == 1) {
        DevicePageActive = 0;
        PairSuspendedDevicePage = true;
    }
    PairRunning = false;
    StartPairing();
}

void Match::StartPairing()
{
    qCDebug(lcDevice) << "Enter";
    PairRunning = true;
    PairPollTimer->start();
    const QByteArray path = PairPath.toUtf8();
    UsbServerC_Start(path.constData(), path.constData(), OnPairEvent);
    UsbServer_EnterDonglePairOnlyCid(Cid);
}

void Match::onPairTimeupDestroy()
{
    UsbServer_ReadDonglePairStatus();
    int count = 5;
    const QByteArray vid = VidText.toLatin1();
    const QByteArray pid = PidText.toLatin1();
    char **paths =
        UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.constData(), pid.constData(), &count);
    bool present = false;
    for (int i = 0; paths && i < count; ++i) {
        if (paths[i] && QString::fromUtf8(paths[i]) == PairPath)
            present = true;
    }
    if (!present && PairRunning) {
        PairPollTimer->stop();
        PairTextTimer->stop();
        PairRunning = false;
        PairState = 3;
        ui->MatchButton->setText(FailText);
        SetButtonPicture(QStringLiteral("PairFail.png"));
        resumeDevicePage();
    }
}

void Match::onTextTimeupDestroy()
{
    if (PairDotCount == 4)
        PairDotCount = 0;
    static const char *const dots[] = {"", ".", "..", "..."};
    ui->MatchButton->setText(PairingText + QLatin1String(dots[PairDotCount]));
    ++PairDotCount;
}

void Match::SlotStopTimer()
{
    PairPollTimer->stop();
    PairTextTimer->stop();
}

void Match::SlotButtonenable(int index)
{
    if (index == 1) {
        ui->MatchButton->setText(SuccessText);
        SetButtonPicture(QStringLiteral("PairSuccess.png"));
        ui->MatchButton->setEnabled(false);
    } else if (index == 0) {
        ui->MatchButton->setText(FailText);
        SetButtonPicture(QStringLiteral("PairFail.png"));
    }
}

void Match::WindowClosedSet()
{
    if (PairRunning)
        return;
    close();
}

void Match::done(int result)
{
    // Every way out (close button, Esc, the opener) ends the attempt: the
    // timers stop, the pairing flag drops and the device page's background
    // work comes back, so nothing stays suspended behind a closed dialog.
    if (!Finished) {
        Finished = true;
        PairWiredCheckTimer->stop();
        PairPollTimer->stop();
        PairTextTimer->stop();
        PairRunning = false;
        resumeDevicePage();
        // Only the chooser's own watch is armed again; on the device page its
        // hot-plug callback stays in place.
        if (OpenedOnChooser)
            StartUsbChanged(OnChooserUsbChanged, 600);
    }
    QDialog::done(result);
}

void Match::SlotAllLanguage(int index)
{
    ui->label->setText(HomeLabels[index].value(QStringLiteral("NoPair")));
    ui->textEdit->setText(PairLabels[index].value(QStringLiteral("DialogPairTips")));
    StartText = PairLabels[index].value(QStringLiteral("StartPair"));
    PairingText = PairLabels[index].value(QStringLiteral("Pairing"));
    FailText = PairLabels[index].value(QStringLiteral("PairFail"));
    SuccessText = PairLabels[index].value(QStringLiteral("PairSuccess"));
    ui->MatchButton->setText(StartText);
}

void Match::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
