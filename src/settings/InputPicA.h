#pragma once

#include "settings/MyThread.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QDialog>
#include <QStringList>

#include <memory>

class QButtonGroup;
class QTimer;

namespace Ui {
class InputPicA;
}

// Screen picture dialog of a model with a small portrait screen: screen off,
// four picture slots, import and export, brightness. Only its clock
// synchronisation does anything outside the dialog: once started it sends the
// computer's date and time to the first screen device every 10 seconds.
class InputPicA : public QDialog
{
    Q_OBJECT

public:
    static constexpr int PacketLength = 40;

    explicit InputPicA(QWidget *parent = nullptr);
    ~InputPicA() override;

    // Starts the clock synchronisation (true); false changes nothing.
    void StartClockSync(bool enable);
    bool clockRunning() const;

    // (0x55 - sum of the bytes) mod 256.
    static uint8_t PacketChecksum(const uint8_t *bytes, int length);
    // Bytes 0..10 of the clock packet for a local date-time and weekday date.
    static QByteArray BuildClockPacket(const QDateTime &now, const QDate &today);
    // The answer echoes bytes 0..6 and carries its own checksum in byte 39.
    static bool CheckAnswer(const QByteArray &sent, const QByteArray &answer);
    // Fills byte 39 and exchanges the packet, up to 5 attempts; true when a
    // valid answer came.
    static bool ExchangePacket(QByteArray packet);

private slots:
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();
    void onEraseChipTimeTimer();
    void on_Input_clicked();

private:
    std::unique_ptr<Ui::InputPicA> ui;
    QString PictureFolder;
    QButtonGroup *Group = nullptr;
    QTimer *ClockTimer = nullptr;
    int TickCount = 0;
    MyThread Thread;
};

// HID paths of the attached screen devices (GUI thread).
extern QStringList ScreenDevicePaths;
// Rescans ScreenDevicePaths over every product id of the catalogue; returns
// the number of paths found.
int ScanScreenDevices();
// Hot-plug callback of the clock synchronisation.
void OnScreenUsbChanged();

// Style sheets the two screen dialogs share.
void ApplyScreenPictureLook(QWidget *dialog, const QString &folder);
