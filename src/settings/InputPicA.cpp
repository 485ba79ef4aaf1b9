#include "settings/InputPicA.h"

#include "common/ConfigIniStore.h"
#include "common/FontScaling.h"
#include "common/LazyPictures.h"
#include "common/ThemeStyles.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"
#include "ui_InputPicA.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <cstring>

QStringList ScreenDevicePaths;

int ScanScreenDevices()
{
    ScreenDevicePaths.clear();
    for (const QString &pid : AllProductIds) {
        const QByteArray pidText = pid.toLatin1();
        int count = 0;
        char **paths = UsbFinderC_FindHidDevicesByDeviceId("", pidText.constData(), 1, 8, &count);
        for (int i = 0; paths && i < count; ++i)
            ScreenDevicePaths << (paths[i] ? QString::fromLatin1(paths[i]) : QString());
    }
    return ScreenDevicePaths.size();
}

void OnScreenUsbChanged()
{
    ScanScreenDevices();
}

void ApplyScreenPictureLook(QWidget *dialog, const QString &f)
{
    const QString l = ThemeColorText("LabelColor");
    const QString s = ThemeColorText("SliderColor");
    const QString b = ThemeColorText("ButtonColor");
    for (const char *name :
         {"label", "label_2", "label_3", "label_4", "label_5", "label_6", "label_7"}) {
        if (auto *label = dialog->findChild<QLabel *>(name))
            label->setStyleSheet("QLabel{color: rgb(" + l + ";);}");
    }
    const QString head =
        "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: "
        "rgb(" +
        b + ";);border-image: url(" + f;
    for (const char *name : {"toolButtonA", "toolButtonB", "toolButtonC", "toolButtonD"}) {
        if (auto *slot = dialog->findChild<QToolButton *>(name))
            slot->setStyleSheet(head + "Pic.png" + ");}QToolButton:checked{border-image: url(" + f +
                                "PicHover.png" + "); }");
    }
    for (const char *name : {"Input", "Output"}) {
        if (auto *button = dialog->findChild<QToolButton *>(name))
            button->setStyleSheet(head + "Button.png" + ");}QToolButton:hover{border-image: url(" +
                                  f + "ButtonHover.png" + "); }");
    }
    if (auto *check = dialog->findChild<QToolButton *>("CheckButton"))
        check->setStyleSheet("#CheckButton{color: rgb(255, 255, 255);border:0px;background-"
                             "position:center;background-repeat:no-repeat;background-image: url(" +
                             f + "Close.png" + ");}#CheckButton:checked {background-image: url(" +
                             f + "Open.png" + ");}");
    if (auto *slider = dialog->findChild<QSlider *>("SpeedH"))
        slider->setStyleSheet(ThemeStyles::Slider(f, s));
    if (auto *close = dialog->findChild<QToolButton *>("CloseButton"))
        close->setStyleSheet(ThemeStyles::CloseButton(f, "CloseButton.png"));
    if (auto *frame = dialog->findChild<QWidget *>("InputPicAFrame"))
        LazyPictures::SetStyleSheet(
            frame, "#InputPicAFrame{border:0px;background-position:center;background-"
                   "repeat:no-repeat;background-image: url(" +
                       f + "Back.png" + ");}");
}

InputPicA::InputPicA(QWidget *parent) : QDialog(parent), ui(new Ui::InputPicA)
{
    ui->setupUi(this);
    ClockTimer = new QTimer(this);
    ScaleWidgetFonts(this, FontScaleFactor());
    connect(ClockTimer, SIGNAL(timeout()), this, SLOT(onEraseChipTimeTimer()));
    ClockTimer->setInterval(200);
    Group = new QButtonGroup(this);
    Group->setExclusive(true);
    for (QAbstractButton *slot :
         {ui->toolButtonA, ui->toolButtonB, ui->toolButtonC, ui->toolButtonD})
        Group->addButton(slot);
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/ScreeInfo/";
    setWindowFlags(Qt::SubWindow | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    ApplyScreenPictureLook(this, PictureFolder);
}

InputPicA::~InputPicA() = default;

void InputPicA::StartClockSync(bool enable)
{
    if (!enable)
        return;
    TickCount = 0;
    ClockTimer->start();
    StartUsbChanged(OnScreenUsbChanged, 600);
}

bool InputPicA::clockRunning() const
{
    return ClockTimer->isActive();
}

uint8_t InputPicA::PacketChecksum(const uint8_t *bytes, int length)
{
    unsigned sum = 0;
    for (int i = 0; i < length; ++i)
        sum += bytes[i];
    return uint8_t((0x55 - (sum & 0xFF)) & 0xFF);
}

QByteArray InputPicA::BuildClockPacket(const QDateTime &now, const QDate &today)
{
    QByteArray packet(PacketLength, '\0');
    const QDate date = now.date();
    const QTime time = now.time();
    const quint16 year = quint16(date.year());
    packet[0] = char(0x0A);
    packet[1] = char(0x00);
    packet[2] = char(0x10);
    packet[3] = char(year >> 8);
    packet[4] = char(year & 0xFF);
    packet[5] = char(date.month());
    packet[6] = char(date.day());
    packet[7] = char(time.hour());
    packet[8] = char(time.minute());
    packet[9] = char(time.second());
    packet[10] = char(today.dayOfWeek());
    return packet;
}

bool InputPicA::CheckAnswer(const QByteArray &sent, const QByteArray &answer)
{
    if (sent.size() < PacketLength || answer.size() < PacketLength)
        return false;
    if (answer.left(7) != sent.left(7))
        return false;
    const auto *bytes = reinterpret_cast<const uint8_t *>(answer.constData());
    return bytes[39] == PacketChecksum(bytes, 39);
}

bool InputPicA::ExchangePacket(QByteArray packet)
{
    uint8_t sent[PacketLength] = {};
    std::memcpy(sent, packet.constData(), size_t(qMin(int(packet.size()), PacketLength)));
    sent[PacketLength - 1] = PacketChecksum(sent, PacketLength - 1);
    const QByteArray sentBytes(reinterpret_cast<const char *>(sent), PacketLength);
    unsigned char answer[PacketLength] = {};
    for (int attempt = 0; attempt < 5; ++attempt) {
        UsbFinderC_ReadWriteDeviceData(sent, answer, PacketLength);
        if (CheckAnswer(sentBytes,
                        QByteArray(reinterpret_cast<const char *>(answer), PacketLength)))
            return true;
    }
    return false;
}

void InputPicA::onEraseChipTimeTimer()
{
    if (++TickCount != 50)
        return;
    TickCount = 0;
    if (ScreenDevicePaths.isEmpty())
        return;
    const QByteArray path = ScreenDevicePaths.first().toLatin1();
    if (!UsbFinderC_OpenDevice(path.constData()))
        return;
    ExchangePacket(BuildClockPacket(QDateTime::currentDateTime(), QDate::currentDate()));
}

void InputPicA::SlotAllLanguage(int) {}

void InputPicA::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}

void InputPicA::on_Input_clicked() {}
